// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>

namespace rt {

// Decodes a Windows bitmap into an RGB32 image. The uncompressed bitmaps the
// program carries (24 bits per pixel, or 8 with a palette) are read here
// directly, without Qt's image plugins, whose discovery on the first image
// load costs a noticeable part of the start-up; any other data goes to
// QImage's own loader. A null image when the data is no picture.
QImage decodeBitmap(const QByteArray& data);

} // namespace rt
