// SPDX-License-Identifier: MIT
// Reads pixels off the X screen for the test scripts, many in one process:
// each request line "WINDOW X Y WIDTH HEIGHT" (WINDOW an X window id, in
// decimal or in hexadecimal as xwininfo writes it, 0 for the root window;
// X, Y relative to it, in device pixels) is answered with
// one line of WIDTH x HEIGHT colours "r,g,b", row by row, separated by
// blanks; a request it cannot answer gets an empty line. Ends at the end of
// its input. Run without any screen scaling, so that a pixel is a device
// pixel (scripts/lib.sh, probe_start).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
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
        std::string id;
        int x = 0, y = 0, width = 0, height = 0;
        std::string answer;
        char* idEnd = nullptr;
        const bool read = bool(request >> id >> x >> y >> width >> height);
        const unsigned long long window = read ? std::strtoull(id.c_str(), &idEnd, 0) : 0;
        if (screen && read && idEnd && *idEnd == '\0' && width > 0 && height > 0) {
            const QImage image =
                screen->grabWindow(WId(window), x, y, width, height).toImage().convertToFormat(QImage::Format_RGB32);
            if (image.width() == width && image.height() == height) {
                answer.reserve(std::size_t(width) * std::size_t(height) * 12);
                char colour[16];
                for (int row = 0; row < height; ++row) {
                    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
                    for (int column = 0; column < width; ++column) {
                        std::snprintf(colour, sizeof colour, "%d,%d,%d", qRed(pixels[column]), qGreen(pixels[column]),
                                      qBlue(pixels[column]));
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
