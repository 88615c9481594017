// SPDX-License-Identifier: MIT
#pragma once

// Reads an uncompressed Windows BMP byte by byte, without an image loader,
// for the tests of the built-in pictures. Fields are little-endian; rows are
// stored bottom-up and padded to whole 4-byte words.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

class BmpReader {
public:
    // False when the file cannot be read or is shorter than the headers.
    bool load(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        bytes_ = f.readAll();
        return bytes_.size() >= 54;
    }

    const QByteArray& bytes() const { return bytes_; }
    qsizetype size() const { return bytes_.size(); }

    int u8(qsizetype at) const { return static_cast<unsigned char>(bytes_.at(at)); }
    std::uint32_t u16(qsizetype at) const { return std::uint32_t(u8(at)) | std::uint32_t(u8(at + 1)) << 8; }
    std::uint32_t u32(qsizetype at) const { return u16(at) | u16(at + 2) << 16; }
    std::int32_t i32(qsizetype at) const { return std::int32_t(u32(at)); }
    // An unsigned little-endian field of 1 to 4 bytes.
    std::uint32_t field(qsizetype at, int size) const
    {
        std::uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = (v << 8) | std::uint32_t(u8(at + i));
        return v;
    }

    std::int32_t width() const { return i32(18); }
    std::int32_t height() const { return i32(22); }
    int bitsPerPixel() const { return int(u16(28)); }
    std::uint32_t pixelOffset() const { return u32(10); }
    qsizetype stride() const { return ((qsizetype(width()) * bitsPerPixel() + 31) / 32) * 4; }

    // The pixel data lies fully inside the file; check before reading pixels.
    bool pixelsInside() const
    {
        return width() > 0 && height() > 0 && (bitsPerPixel() == 8 || bitsPerPixel() == 24) &&
               qsizetype(pixelOffset()) + stride() * height() <= size();
    }

    // Byte position of pixel (x, y), y counted from the top.
    qsizetype at(int x, int y) const
    {
        return qsizetype(pixelOffset()) + qsizetype(height() - 1 - y) * stride() + qsizetype(x) * (bitsPerPixel() / 8);
    }

    // Palette index of an 8-bit pixel.
    int index(int x, int y) const { return u8(at(x, y)); }

    // Blue, green, red of a 24-bit pixel, and its colour value
    // blue * 65536 + green * 256 + red.
    int blue(int x, int y) const { return u8(at(x, y)); }
    int green(int x, int y) const { return u8(at(x, y) + 1); }
    int red(int x, int y) const { return u8(at(x, y) + 2); }
    std::uint32_t color(int x, int y) const
    {
        return std::uint32_t(blue(x, y)) << 16 | std::uint32_t(green(x, y)) << 8 | std::uint32_t(red(x, y));
    }

private:
    QByteArray bytes_;
};
