// SPDX-License-Identifier: MIT
#include "bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace rt {

namespace {

// Little-endian fields of the file and information headers.
class Fields {
public:
    explicit Fields(const QByteArray& data) : data_(data) {}
    std::uint32_t u8(qsizetype at) const { return std::uint8_t(data_[at]); }
    std::uint32_t u16(qsizetype at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(qsizetype at) const { return u16(at) | u16(at + 2) << 16; }
    std::int32_t i32(qsizetype at) const { return std::int32_t(u32(at)); }

private:
    const QByteArray& data_;
};

// Anything else is QImage's to read.
QImage viaQt(const QByteArray& data)
{
    return QImage::fromData(data).convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage decodeBitmap(const QByteArray& data)
{
    constexpr qsizetype FileHeader = 14, InfoHeader = 40;
    if (data.size() < FileHeader + InfoHeader || !data.startsWith("BM"))
        return viaQt(data);
    const Fields f(data);
    const qint64 pixels = f.u32(10);
    const qint64 headerSize = f.u32(14);
    const qint64 width = f.i32(18);
    const qint64 rawHeight = f.i32(22);
    const std::uint32_t bits = f.u16(28);
    const std::uint32_t compression = f.u32(30);
    if (headerSize < InfoHeader || f.u16(26) != 1 || compression != 0 || (bits != 24 && bits != 8) || width <= 0 ||
        width > 32768 || rawHeight == 0 || std::llabs(rawHeight) > 32768)
        return viaQt(data);
    const bool bottomUp = rawHeight > 0;
    const qint64 height = std::llabs(rawHeight);
    const qint64 stride = (width * bits + 31) / 32 * 4;
    if (pixels < FileHeader + headerSize || pixels + stride * height > data.size())
        return viaQt(data);

    QRgb palette[256];
    std::fill(std::begin(palette), std::end(palette), qRgb(0, 0, 0)); // indices past the table are black
    if (bits == 8) {
        const qint64 colors = f.u32(46) == 0 ? 256 : f.u32(46);
        const qint64 table = FileHeader + headerSize;
        if (colors > 256 || table + 4 * colors > pixels)
            return viaQt(data);
        for (qint64 i = 0; i < colors; ++i)
            palette[i] = qRgb(int(f.u8(table + 4 * i + 2)), int(f.u8(table + 4 * i + 1)), int(f.u8(table + 4 * i)));
    }

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    for (qint64 y = 0; y < height; ++y) {
        const std::uint8_t* from = bytes + pixels + (bottomUp ? height - 1 - y : y) * stride;
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        if (bits == 24) {
            for (qint64 x = 0; x < width; ++x, from += 3)
                to[x] = qRgb(from[2], from[1], from[0]);
        } else {
            for (qint64 x = 0; x < width; ++x)
                to[x] = palette[from[x]];
        }
    }
    return image;
}

} // namespace rt
