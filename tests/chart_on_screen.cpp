// SPDX-License-Identifier: MIT
// How the chart picture stands on a screenshot taken at a fractional scale:
//   chart_on_screen SHOT CHART.BMP X Y SCALE
// X, Y: the device position of the chart's logical top-left corner on the
// shot (fractional where the scale makes it so). Chart pixel i covers the
// device columns from edge(i) to edge(i + 1), edge(i) = floor(X + i * SCALE
// + 0.5) (rows alike), the rule the program draws by. Prints two lines:
//   crisp N of M: the device pixels of the chart's area in one of the
//     chart's own colours (the rest are blends);
//   blocks K of P: the chart pixels whose device pixels are not all its
//     own colour.
// Exits 2 when the files cannot be read or the area lies off the shot.
#include <QCoreApplication>
#include <QImage>
#include <QSet>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 6)
        return 2;
    const QImage shot = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage chart = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    const double x0 = std::atof(argv[3]), y0 = std::atof(argv[4]), scale = std::atof(argv[5]);
    if (shot.isNull() || chart.isNull() || !(scale > 0))
        return 2;
    const auto edgeX = [&](int i) { return int(std::floor(x0 + i * scale + 0.5)); };
    const auto edgeY = [&](int i) { return int(std::floor(y0 + i * scale + 0.5)); };
    if (edgeX(0) < 0 || edgeY(0) < 0 || edgeX(chart.width()) > shot.width() || edgeY(chart.height()) > shot.height())
        return 2;

    QSet<QRgb> own;
    for (int y = 0; y < chart.height(); ++y)
        for (int x = 0; x < chart.width(); ++x)
            own.insert(chart.pixel(x, y) | 0xff000000u);

    long long crisp = 0, all = 0, broken = 0;
    for (int j = 0; j < chart.height(); ++j) {
        for (int i = 0; i < chart.width(); ++i) {
            const QRgb wanted = chart.pixel(i, j) | 0xff000000u;
            bool whole = true;
            for (int dy = edgeY(j); dy < edgeY(j + 1); ++dy) {
                for (int dx = edgeX(i); dx < edgeX(i + 1); ++dx) {
                    const QRgb got = shot.pixel(dx, dy) | 0xff000000u;
                    ++all;
                    crisp += own.contains(got);
                    whole = whole && got == wanted;
                }
            }
            broken += !whole;
        }
    }
    std::printf("crisp %lld of %lld\nblocks %lld of %lld\n", crisp, all, broken,
                static_cast<long long>(chart.width()) * chart.height());
    return 0;
}
