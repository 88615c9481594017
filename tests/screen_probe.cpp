// SPDX-License-Identifier: MIT
// Reads pixels off the X screen for the test scripts, many in one process:
// each request line "WINDOW X Y WIDTH HEIGHT" (WINDOW an X window id, 0 for
// the root window; X, Y relative to it, in device pixels) is answered with
// one line of WIDTH x HEIGHT colours "r,g,b", row by row, separated by
// blanks; a request it cannot answer gets an empty line. Ends at the end of
// its input. Run without any screen scaling, so that a pixel is a device
// pixel (scripts/lib.sh, probe_start).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream request(line);
        unsigned long long window = 0;
        int x = 0, y = 0, width = 0, height = 0;
        std::string answer;
        if (screen && request >> window >> x >> y >> width >> height && width > 0 && height > 0) {
            const QImage image =
                screen->grabWindow(WId(window), x, y, width, height).toImage().convertToFormat(QImage::Format_RGB32);
            if (image.width() == width && image.height() == height) {
                answer.reserve(std::size_t(width) * std::size_t(height) * 12);
                char colour[16];
                for (int row = 0; row < height; ++row) {
                    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
                    for (int column = 0; column < width; ++column) {
                        std::snprintf(colour, sizeof colour, "%d,%d,%d", qRed(pixels[column]),
                                      qGreen(pixels[column]), qBlue(pixels[column]));
                        if (!answer.empty())
                            answer += ' ';
                        answer += colour;
                    }
                }
            }
        }
        std::cout << answer << std::endl;
    }
    return 0;
}
