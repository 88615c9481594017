// SPDX-License-Identifier: MIT
// The program's own bitmap decoder gives, for every input, the image Qt's
// loader gives: the built-in pictures, bitmaps stored top-down or with a
// short palette, and what it hands on to Qt (other formats, compressed or
// truncated bitmaps, no picture at all).
#include "runtime/bitmap.h"

#include <QBuffer>
#include <QtTest>

namespace {

void put16(QByteArray& b, int at, quint32 v)
{
    b[at] = char(v & 0xff);
    b[at + 1] = char((v >> 8) & 0xff);
}
void put32(QByteArray& b, int at, quint32 v)
{
    put16(b, at, v & 0xffff);
    put16(b, at + 2, v >> 16);
}

// A bitmap with the given header fields; pixel bytes x * 7 + y * 13 + 5 per
// row (padded to whole words), palette entries of their index times 3, 5
// and 11 as blue, green and red.
QByteArray bitmap(int width, int height, int bits, int colors = 0, int compression = 0)
{
    const int tableEntries = bits == 8 ? (colors ? colors : 256) : 0;
    const int stride = (width * bits + 31) / 32 * 4;
    const int offset = 54 + 4 * tableEntries;
    QByteArray b(offset + stride * std::abs(height), '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, quint32(b.size()));
    put32(b, 10, quint32(offset));
    put32(b, 14, 40);
    put32(b, 18, quint32(width));
    put32(b, 22, quint32(height));
    put16(b, 26, 1);
    put16(b, 28, quint32(bits));
    put32(b, 30, quint32(compression));
    put32(b, 46, quint32(colors));
    for (int i = 0; i < tableEntries; ++i) {
        b[54 + 4 * i] = char(i * 3);
        b[54 + 4 * i + 1] = char(i * 5);
        b[54 + 4 * i + 2] = char(i * 11);
    }
    for (int y = 0; y < std::abs(height); ++y)
        for (int x = 0; x < stride; ++x)
            b[offset + y * stride + x] = char(x * 7 + y * 13 + 5);
    return b;
}

QByteArray asset(const char* name)
{
    QFile f(QStringLiteral(ASSETS_DIR "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray png()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

} // namespace

class TestBitmap : public QObject {
    Q_OBJECT

private slots:
    void decodesAsQtDoes_data()
    {
        QTest::addColumn<QByteArray>("data");
        // Whether the data holds a picture: 1 yes, 0 no, -1 malformed, whatever
        // Qt makes of it. Qt may leave the pixels that malformed data does not
        // give undefined (Qt 6.8 does: two reads differ), so there only what
        // the data decides is compared: whether there is an image, its size
        // and its format.
        QTest::addColumn<int>("picture");
        QTest::newRow("chart.bmp") << asset("chart.bmp") << 1;
        QTest::newRow("drawing.bmp") << asset("drawing.bmp") << 1;
        QTest::newRow("icon.bmp") << asset("icon.bmp") << 1;
        QTest::newRow("24 bits, bottom-up, padded rows") << bitmap(5, 3, 24) << 1;
        QTest::newRow("24 bits, top-down") << bitmap(5, -3, 24) << 1;
        QTest::newRow("8 bits, full palette") << bitmap(6, 4, 8) << 1;
        QTest::newRow("8 bits, 5 colors: later indices black") << bitmap(6, 4, 8, 5) << 1;
        QTest::newRow("png") << png() << 1;
        QTest::newRow("run-length compressed header") << bitmap(4, 4, 8, 0, 1) << -1;
        QByteArray truncated = bitmap(5, 3, 24);
        truncated.chop(4);
        QTest::newRow("pixels cut short") << truncated << -1;
        QTest::newRow("header only") << bitmap(5, 3, 24).left(54) << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QByteArray header = bitmap(5, 3, 24);
        put32(header, 14, 0x7fffffff);
        QTest::newRow("header size past the end") << header << -1;
        QByteArray colors = bitmap(6, 4, 8);
        put32(colors, 46, 300);
        QTest::newRow("more than 256 colors") << colors << -1;
        QByteArray offset = bitmap(5, 3, 24);
        put32(offset, 10, 20);
        QTest::newRow("pixels inside the header") << offset << -1;
    }
    void decodesAsQtDoes()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, picture);
        const QImage qt = QImage::fromData(data).convertToFormat(QImage::Format_RGB32);
        const QImage ours = rt::decodeBitmap(data);
        if (picture >= 0)
            QCOMPARE(qt.isNull(), picture == 0);
        QCOMPARE(ours.isNull(), qt.isNull());
        if (qt.isNull())
            return;
        QCOMPARE(ours.format(), QImage::Format_RGB32);
        QCOMPARE(ours.size(), qt.size());
        if (picture >= 0)
            QCOMPARE(ours, qt);
    }
};

QTEST_MAIN(TestBitmap)
#include "test_bitmap.moc"
