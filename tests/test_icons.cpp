// SPDX-License-Identifier: MIT
// Checks of the desktop icons in assets/icons/: the PNG at each size, the
// Windows .ico and macOS .icns that carry them, and the scalable SVG.

#include <QFile>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kIconDir = QStringLiteral(ASSETS_DIR "/icons/");
const QList<int> kSizes{16, 24, 32, 48, 64, 128, 256};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int byteAt(const QByteArray& b, qsizetype at)
{
    return static_cast<unsigned char>(b.at(at));
}

std::uint32_t le16(const QByteArray& b, qsizetype at)
{
    return std::uint32_t(byteAt(b, at)) | std::uint32_t(byteAt(b, at + 1)) << 8;
}

std::uint32_t le32(const QByteArray& b, qsizetype at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}

std::uint32_t be32(const QByteArray& b, qsizetype at)
{
    return std::uint32_t(byteAt(b, at)) << 24 | std::uint32_t(byteAt(b, at + 1)) << 16 |
           std::uint32_t(byteAt(b, at + 2)) << 8 | std::uint32_t(byteAt(b, at + 3));
}

bool isPng(const QByteArray& b)
{
    return b.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8));
}

int greyAt(const QImage& img, int x, int y)
{
    return qRed(img.pixel(x, y));
}

// The icon as a panel of the given colour shows it.
QImage onPanel(const QImage& icon, QColor panel)
{
    QImage out(icon.size(), QImage::Format_RGB32);
    out.fill(panel);
    QPainter p(&out);
    p.drawImage(0, 0, icon);
    return out;
}

// WCAG relative luminance and contrast ratio.
double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}
double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int distinctGreys(const QImage& img)
{
    QSet<int> levels;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            levels.insert(greyAt(img, x, y));
    return int(levels.size());
}

// Detail at the scale of single pixels: what is lost when the picture is
// halved and enlarged again, summed over the picture and divided by its
// width, so that a crisp outline counts the same at every size.
double finestDetail(const QImage& img)
{
    const int n = img.width();
    const QImage back = img.scaled(n / 2, n / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .scaled(n, n, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
    double sum = 0.0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            sum += std::abs(greyAt(img, x, y) - greyAt(back, x, y));
    return sum / n;
}

// Finds the .ico directory entry for pictures of `size` pixels; the entry's
// image bytes, or empty when there is none.
QByteArray icoEntry(const QByteArray& ico, int size)
{
    const int count = int(le16(ico, 4));
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 6 + 16 * i;
        const int side = byteAt(ico, at) == 0 ? 256 : byteAt(ico, at);
        if (side == size && byteAt(ico, at + 1) == byteAt(ico, at))
            return ico.mid(le32(ico, at + 12), le32(ico, at + 8));
    }
    return {};
}

// A 32-bit .ico bitmap entry as an image: colour rows bottom-up with their
// alpha, then the AND mask; null when the header or the size is wrong, or a
// pixel is masked out.
QImage icoBitmap(const QByteArray& b, int size)
{
    const qsizetype maskStride = ((size + 31) / 32) * 4;
    if (b.size() != 40 + qsizetype(size) * size * 4 + maskStride * size || le32(b, 0) != 40 ||
        le32(b, 4) != std::uint32_t(size) || le32(b, 8) != std::uint32_t(2 * size) || le16(b, 14) != 32 ||
        le32(b, 16) != 0)
        return {};
    QImage img(size, size, QImage::Format_ARGB32);
    for (int row = 0; row < size; ++row) {
        for (int x = 0; x < size; ++x) {
            const qsizetype at = 40 + (qsizetype(row) * size + x) * 4;
            img.setPixel(x, size - 1 - row,
                         qRgba(byteAt(b, at + 2), byteAt(b, at + 1), byteAt(b, at), byteAt(b, at + 3)));
        }
    }
    for (qsizetype at = 40 + qsizetype(size) * size * 4; at < b.size(); ++at)
        if (b.at(at) != 0)
            return {};
    return img;
}

} // namespace

class TestIcons : public QObject {
    Q_OBJECT

private:
    QMap<int, QImage> png_;

    void sizeColumn()
    {
        QTest::addColumn<int>("size");
        for (int size : kSizes)
            QTest::addRow("%d", size) << size;
    }

    QImage pngOf(int size) const { return png_.value(size).convertToFormat(QImage::Format_ARGB32); }
    // On white, where the grey levels and the detail are measured.
    QImage onWhite(int size) const { return onPanel(pngOf(size), Qt::white); }

private slots:
    void initTestCase()
    {
        for (int size : kSizes)
            png_.insert(size, QImage(kIconDir + QString::number(size) + QStringLiteral(".png"), "PNG"));
    }

    // IHDR: the size, 8 bits per sample, colour type 6 (RGB with alpha).
    void pngHeader_data() { sizeColumn(); }
    void pngHeader()
    {
        QFETCH(int, size);
        const QByteArray b = readAll(kIconDir + QString::number(size) + QStringLiteral(".png"));
        QVERIFY2(isPng(b) && b.size() > 33, "not a PNG file");
        QCOMPARE(b.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(be32(b, 16), std::uint32_t(size));
        QCOMPARE(be32(b, 20), std::uint32_t(size));
        QCOMPARE(byteAt(b, 24), 8);
        QCOMPARE(byteAt(b, 25), 6);
        QVERIFY(!png_.value(size).isNull());
        QVERIFY(png_.value(size).hasAlphaChannel());
    }

    // Pure greys on a transparent ground, with an opaque rotor in the middle.
    void pngPixels_data() { sizeColumn(); }
    void pngPixels()
    {
        QFETCH(int, size);
        const QImage img = pngOf(size);
        QCOMPARE(img.size(), QSize(size, size));
        int darkest = 255, opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb p = img.pixel(x, y);
                if (qAlpha(p) == 0)
                    continue;
                if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is not grey").arg(x).arg(y)));
                if (qAlpha(p) == 255) {
                    ++opaque;
                    darkest = std::min(darkest, qRed(p));
                }
            }
        }
        for (const QPoint& corner :
             {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            QCOMPARE(qAlpha(img.pixel(corner)), 0);
        QVERIFY2(opaque >= size * size / 6, qPrintable(QStringLiteral("%1 opaque pixels").arg(opaque)));
        QVERIFY2(darkest < 100, "no dark outline: the picture is empty");
    }

    // Legible on a light and on a dark panel: much of what the icon covers
    // stands out from the panel by 3:1 or more.
    void legibleOnPanels_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QColor>("panel");
        for (int size : kSizes) {
            QTest::addRow("%d on light", size) << size << QColor(0xf6, 0xf5, 0xf4);
            QTest::addRow("%d on dark", size) << size << QColor(0x30, 0x30, 0x30);
        }
    }
    void legibleOnPanels()
    {
        QFETCH(int, size);
        QFETCH(QColor, panel);
        const QImage img = pngOf(size);
        const QImage shown = onPanel(img, panel);
        int covered = 0, standingOut = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (qAlpha(img.pixel(x, y)) < 128)
                    continue;
                ++covered;
                if (contrast(shown.pixel(x, y), panel.rgb()) >= 3.0)
                    ++standingOut;
            }
        }
        QVERIFY2(standingOut >= covered / 3,
                 qPrintable(QStringLiteral("%1 of %2 covered pixels stand out by 3:1").arg(standingOut).arg(covered)));
    }

    // Each size is drawn for itself, not enlarged from a smaller one: a
    // nearest-neighbour enlargement adds no grey levels, and a smooth one
    // loses the detail at the scale of single pixels (to about 0.75 of the
    // smaller icon's at twice the size, less at larger factors).
    void notEnlarged_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("smaller");
        for (int size : kSizes)
            for (int smaller : kSizes)
                if (smaller < size)
                    QTest::addRow("%d from %d", size, smaller) << size << smaller;
    }
    void notEnlarged()
    {
        QFETCH(int, size);
        QFETCH(int, smaller);
        const QImage img = onWhite(size);
        const QImage small = onWhite(smaller);
        const int levels = distinctGreys(img), smallLevels = distinctGreys(small);
        QVERIFY2(levels > smallLevels,
                 qPrintable(QStringLiteral("%1 grey levels, %2 in the smaller icon").arg(levels).arg(smallLevels)));
        const double detail = finestDetail(img), smallDetail = finestDetail(small);
        QVERIFY2(
            detail >= 0.9 * smallDetail,
            qPrintable(QStringLiteral("pixel-scale detail %1, %2 in the smaller icon").arg(detail).arg(smallDetail)));
    }

    // The Windows icon: one entry per size, bitmaps below 256, PNG at 256,
    // each showing that size's PNG.
    void icoEntries_data() { sizeColumn(); }
    void icoEntries()
    {
        QFETCH(int, size);
        const QByteArray ico = readAll(kIconDir + QStringLiteral("krtd258.ico"));
        QVERIFY2(ico.size() >= 6 + 16 * kSizes.size(), "file missing or too short");
        QCOMPARE(le16(ico, 0), 0u);
        QCOMPARE(le16(ico, 2), 1u);
        QCOMPARE(int(le16(ico, 4)), int(kSizes.size()));
        const QByteArray entry = icoEntry(ico, size);
        QVERIFY2(!entry.isEmpty(), "no entry of this size");
        const QImage img = isPng(entry) ? QImage::fromData(entry, "PNG") : icoBitmap(entry, size);
        QVERIFY2(!img.isNull(), "entry unreadable, masked or of the wrong size");
        QCOMPARE(isPng(entry), size == 256);
        QCOMPARE(img.convertToFormat(QImage::Format_ARGB32), pngOf(size));
    }

    // The macOS icon: its entries end exactly at the end of the file and
    // hold the PNG of their size.
    void icnsEntries_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<int>("size");
        QTest::newRow("icp4") << QByteArray("icp4") << 16;
        QTest::newRow("icp5") << QByteArray("icp5") << 32;
        QTest::newRow("icp6") << QByteArray("icp6") << 64;
        QTest::newRow("ic07") << QByteArray("ic07") << 128;
        QTest::newRow("ic08") << QByteArray("ic08") << 256;
        QTest::newRow("ic11") << QByteArray("ic11") << 32;
        QTest::newRow("ic12") << QByteArray("ic12") << 64;
        QTest::newRow("ic13") << QByteArray("ic13") << 256;
    }
    void icnsEntries()
    {
        QFETCH(QByteArray, type);
        QFETCH(int, size);
        const QByteArray icns = readAll(kIconDir + QStringLiteral("krtd258.icns"));
        QVERIFY2(icns.size() >= 8 && icns.startsWith("icns"), "not an icns file");
        QCOMPARE(qsizetype(be32(icns, 4)), icns.size());
        QMap<QByteArray, QByteArray> entries;
        qsizetype at = 8;
        while (at + 8 <= icns.size()) {
            const qsizetype length = be32(icns, at + 4);
            QVERIFY2(length >= 8 && at + length <= icns.size(), "entry runs past the end");
            entries.insert(icns.mid(at, 4), icns.mid(at + 8, length - 8));
            at += length;
        }
        QCOMPARE(at, icns.size());
        QCOMPARE(entries.size(), 8);
        QVERIFY2(entries.contains(type), "no entry of this type");
        QVERIFY(isPng(entries.value(type)));
        const QImage img = QImage::fromData(entries.value(type), "PNG");
        QCOMPARE(img.size(), QSize(size, size));
        QCOMPARE(img.convertToFormat(QImage::Format_ARGB32), pngOf(size));
    }

    // The scalable icon is well-formed SVG 1.1 with a view box of the design
    // square, on a transparent ground (no rectangle covers the square), with
    // shaded shapes.
    void svg()
    {
        const QByteArray text = readAll(kIconDir + QStringLiteral("scalable.svg"));
        QVERIFY2(!text.isEmpty(), "file missing");
        QXmlStreamReader xml(text);
        QMap<QString, int> elements;
        QString viewBox, version, ns;
        bool ground = false;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            if (elements.isEmpty()) {
                QCOMPARE(name, QStringLiteral("svg"));
                viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString();
                version = xml.attributes().value(QStringLiteral("version")).toString();
                ns = xml.namespaceUri().toString();
            }
            const auto a = xml.attributes();
            if (name == QStringLiteral("rect") && a.value(QStringLiteral("width")) == QStringLiteral("32") &&
                a.value(QStringLiteral("height")) == QStringLiteral("32"))
                ground = true;
            ++elements[name];
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(ns, QStringLiteral("http://www.w3.org/2000/svg"));
        QCOMPARE(version, QStringLiteral("1.1"));
        QCOMPARE(viewBox.simplified(), QStringLiteral("0 0 32 32"));
        QVERIFY2(!ground, "a rectangle covers the whole icon");
        QVERIFY(elements.value(QStringLiteral("linearGradient")) >= 3);
        QVERIFY(elements.value(QStringLiteral("path")) >= 5);
    }
};

QTEST_GUILESS_MAIN(TestIcons)
#include "test_icons.moc"
