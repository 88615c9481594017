// SPDX-License-Identifier: MIT
// A plain Qt window of the chart window's size that draws the chart picture
// where the chart window shows it, nearest-neighbour on its device pixels:
// what a careful Qt program does without a grid of its own, for the
// fractional-scale test to measure the program's crispness against.
//   plain_chart CHART.BMP
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

class PlainChart : public QWidget {
public:
    explicit PlainChart(const QImage& chart) : chart_(chart)
    {
        setWindowTitle(QStringLiteral("plain chart"));
        setFixedSize(687, 317);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        p.drawImage(QRectF(33, 25, chart_.width(), chart_.height()), chart_);
    }

private:
    QImage chart_;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("plain-chart"));
    const QImage chart(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (chart.isNull())
        return 2;
    PlainChart window(chart);
    window.show();
    return QApplication::exec();
}
