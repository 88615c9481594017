// SPDX-License-Identifier: MIT
// A plain Qt window of a window's size that draws its picture where that
// window shows it, nearest-neighbour on its device pixels: what a careful
// Qt program does without a grid of its own, for the fractional-scale tests
// to measure the program's crispness against. By default the chart window:
//   plain_chart PICTURE.BMP [WIDTH HEIGHT X Y]
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdlib>

namespace {

class PlainChart : public QWidget {
public:
    PlainChart(const QImage& picture, QSize size, QPoint at) : picture_(picture), at_(at)
    {
        setWindowTitle(QStringLiteral("plain chart"));
        setFixedSize(size);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        p.drawImage(QRectF(at_, picture_.size()), picture_);
    }

private:
    QImage picture_;
    QPoint at_;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("plain-chart"));
    const QImage picture(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (picture.isNull() || (argc != 2 && argc != 6))
        return 2;
    const auto number = [&](int i, int otherwise) { return argc == 6 ? std::atoi(argv[i]) : otherwise; };
    PlainChart window(picture, QSize(number(2, 687), number(3, 317)), QPoint(number(4, 33), number(5, 25)));
    window.show();
    return QApplication::exec();
}
