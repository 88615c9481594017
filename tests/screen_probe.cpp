// SPDX-License-Identifier: MIT
// Reads pixels off the X screen for the test scripts, many in one process:
// each request line "WINDOW X Y WIDTH HEIGHT" (WINDOW an X window id, in
// decimal or in hexadecimal as xwininfo writes it, 0 for the root window;
// X, Y relative to it, in device pixels) is answered with
// one line of WIDTH x HEIGHT colours "r,g,b", row by row, separated by
// blanks; a request it cannot answer gets an empty line. A request
// "first R,G,B WINDOW X Y WIDTH HEIGHT [X Y WIDTH HEIGHT]..." is answered
// with, for each area of that window, the index (row by row) of its first
// pixel of that colour, "none" where it has none: a few numbers where a
// script polls for a mark, instead of a line of colours to search. Ends at
// the end of its input. Run without any screen scaling, so that a pixel is
// a device pixel (scripts/lib.sh, probe_start).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// The area of the window, or a null image where it cannot be read.
QImage grab(QScreen* screen, const std::string& id, int x, int y, int width, int height)
{
    char* idEnd = nullptr;
    const unsigned long long window = std::strtoull(id.c_str(), &idEnd, 0);
    if (!screen || idEnd == id.c_str() || *idEnd != '\0' || width <= 0 || height <= 0)
        return {};
    QImage image = screen->grabWindow(WId(window), x, y, width, height).toImage().convertToFormat(QImage::Format_RGB32);
    if (image.width() != width || image.height() != height)
        return {};
    return image;
}

std::string colours(const QImage& image)
{
    std::string answer;
    answer.reserve(std::size_t(image.width()) * std::size_t(image.height()) * 12);
    char colour[16];
    for (int row = 0; row < image.height(); ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            std::snprintf(colour, sizeof colour, "%d,%d,%d", qRed(pixels[column]), qGreen(pixels[column]),
                          qBlue(pixels[column]));
            if (!answer.empty())
                answer += ' ';
            answer += colour;
        }
    }
    return answer;
}

std::string firstOf(const QImage& image, QRgb wanted)
{
    for (int row = 0; row < image.height(); ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            if ((pixels[column] & RGB_MASK) == (wanted & RGB_MASK))
                return std::to_string(row * image.width() + column);
        }
    }
    return "none";
}

// "first R,G,B WINDOW X Y W H [X Y W H]...": the first pixel of each area;
// an empty answer where the colour or any area cannot be read.
std::string firsts(QScreen* screen, std::istringstream& request)
{
    std::string colour, id;
    int red = 0, green = 0, blue = 0;
    char comma1 = 0, comma2 = 0;
    if (!(request >> colour >> id))
        return {};
    std::istringstream rgb(colour);
    if (!(rgb >> red >> comma1 >> green >> comma2 >> blue) || comma1 != ',' || comma2 != ',')
        return {};
    std::string answer;
    int x = 0, y = 0, width = 0, height = 0;
    while (request >> x >> y >> width >> height) {
        const QImage image = grab(screen, id, x, y, width, height);
        if (image.isNull())
            return {};
        if (!answer.empty())
            answer += ' ';
        answer += firstOf(image, qRgb(red, green, blue));
    }
    return request.eof() ? answer : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream request(line);
        std::string first;
        std::string answer;
        if (request >> first && first == "first") {
            answer = firsts(screen, request);
        } else {
            request.clear();
            request.seekg(0);
            std::string id;
            int x = 0, y = 0, width = 0, height = 0;
            if (request >> id >> x >> y >> width >> height)
                answer = colours(grab(screen, id, x, y, width, height));
        }
        std::cout << answer << std::endl;
    }
    return 0;
}
