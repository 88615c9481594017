// SPDX-License-Identifier: MIT
// Generates the dimension drawing of the KRTd258 air end shown in the drawing
// window: a 560 x 451 pixel, 8-bit greyscale BMP.
//
//   make_drawing [output.bmp]      (default: assets/drawing.bmp)
//
// The drawing holds a side view of the air end (drive shaft at the left), the
// end view of the drive side to its right (first-angle projection) and, in the
// lower-left corner, the enlarged view X of the shaft end. It is painted with
// QPainter on an RGB image and every pixel is then mapped to the nearest of the
// eight grey levels the asset may use; the palette is exactly 256 greys with
// entry i = grey i.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bmp_writer.h"
#include "drafting.h"
#include "drawing_views.h"
#include "grey_levels.h"

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 451;

QImage render()
{
    using namespace drawing;
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(grey(kPaper));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    Sheet sheet(p);

    // Side view at 0.8 px/mm, shaft end at the left; the end view of the
    // drive side to its right on the same axis height.
    const View side{44.0, 136.0, 0.8};
    drawSideView(sheet, side);
    const View end{420.0, 136.0, 0.8};
    drawEndView(sheet, end);

    // Enlarged view X of the shaft end in the lower-left corner.
    const QRectF frame(6.0, 246.0, 230.0, 198.0);
    const View x{frame.left() + 100.0, frame.top() + 98.0, 2.0};
    drawViewX(sheet, frame, x);

    drawTitleBlock(sheet, QRectF(290.0, 392.0, 263.0, 52.0));

    p.end();
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string path = argc > 1 ? argv[1] : "assets/drawing.bmp";

    const std::vector<std::uint8_t> levels = drawing::reduceToLevels(render());
    if (!bmp::writeFile(path, bmp::encodeGrey(kWidth, kHeight, levels, {}))) {
        std::fprintf(stderr, "make_drawing: cannot write %s\n", path.c_str());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
