// SPDX-License-Identifier: MIT
// Opens the real chart window on the display in the desktop's colour scheme,
// puts the cross-hair where the figures are red and where they are not, and
// measures on the screen the contrast of every text against its control's
// background. Prints one line per control; exits 1 if any is too low.
//   scheme_contrast NAME light|dark
#include "testsupport.h"

#include "runtime/color.h"
#include "runtime/scrollbar.h"
#include "runtime/style.h"
#include "ui/chartwindow.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

struct Measured {
    QColor background; // the most frequent colour
    QColor text;       // the colour standing out most from it
    double ratio = 1;
};

// Inside the frame of framed controls only: the frame is no text.
Measured measure(const QImage& shot, QWidget* control, QWidget* window)
{
    const bool framed = qobject_cast<QLineEdit*>(control) || qobject_cast<QPushButton*>(control) ||
                        (qobject_cast<QFrame*>(control) && qobject_cast<QFrame*>(control)->frameWidth() > 0);
    const int inset = framed ? 3 : 0;
    const QRect r = QRect(control->mapTo(window, QPoint(0, 0)), control->size()).adjusted(inset, inset, -inset, -inset);
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[shot.pixel(x, y) | 0xFF000000];
    Measured m;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            most = it.value(), m.background = QColor(it.key());
    m.text = m.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = rt::contrastRatio(QColor(it.key()), m.background);
        if (ratio > m.ratio)
            m.ratio = ratio, m.text = QColor(it.key());
    }
    return m;
}

bool recognisablyRed(const QColor& c)
{
    const int hue = c.hslHue();
    return (hue <= 15 || hue >= 345) && c.hslSaturationF() >= 0.5f;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: scheme_contrast NAME light|dark\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(new rt::FormStyle);
    const QString scheme = QString::fromLocal8Bit(argv[1]);
    const bool dark = qstrcmp(argv[2], "dark") == 0;
    bool ok = true;

    // The scheme must really be in force, or the measurement proves nothing.
    const QPalette pal = QApplication::palette();
    const double windowLuminance = rt::relativeLuminance(pal.color(QPalette::Window));
    std::printf("%s: window %s base %s text %s window text %s\n", argv[1],
                qPrintable(pal.color(QPalette::Window).name()), qPrintable(pal.color(QPalette::Base).name()),
                qPrintable(pal.color(QPalette::Text).name()), qPrintable(pal.color(QPalette::WindowText).name()));
    if ((windowLuminance < 0.2) != dark) {
        std::printf("FAIL %s: the palette is not %s; the color scheme was not applied\n", argv[1], argv[2]);
        ok = false;
    }

    ui::ChartWindow window;
    window.move(0, 0);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    for (const char* name : {"Text3", "Text4", "Text5"}) {
        auto* box = testsupport::find<QLineEdit>(&window, name);
        if (!box)
            return 1;
        box->setText(QStringLiteral("1450"));
    }
    auto* H = testsupport::find<rt::ScrollBar>(&window, "HScroll1");
    auto* V = testsupport::find<rt::ScrollBar>(&window, "VScroll1");
    if (!H || !V)
        return 1;

    QList<QWidget*> texts;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QPushButton*>(w))
            texts << w;
    const QStringList flagged{"Text1", "Label4", "Text2", "Label20"};

    // At (400, 2) all four figures are red; at (200, 202) none is.
    QHash<QString, QColor> normal;
    for (const bool red : {false, true}) {
        H->assignValue(red ? 400 : 200);
        V->assignValue(red ? 2 : 202);
        // The colours are drawn once the handlers have finished, then painted.
        testsupport::settle();
        const QImage shot = window.screen()->grabWindow(window.winId()).toImage();
        shot.save(QStringLiteral("%1-%2.png").arg(scheme, red ? QStringLiteral("red") : QStringLiteral("black")));
        for (QWidget* w : texts) {
            const bool isFlagged = flagged.contains(w->objectName());
            if (red && !isFlagged)
                continue;
            const Measured m = measure(shot, w, &window);
            const double needed = red ? rt::MinWarningContrast : rt::MinTextContrast;
            QString verdict;
            if (m.ratio < needed)
                verdict = QStringLiteral(" FAIL: below %1").arg(needed);
            else if (red && !recognisablyRed(m.text))
                verdict = QStringLiteral(" FAIL: not red");
            else if (red && m.text == normal.value(w->objectName()))
                verdict = QStringLiteral(" FAIL: like the normal figure");
            if (!red)
                normal.insert(w->objectName(), m.text);
            ok = ok && verdict.isEmpty();
            std::printf("%-16s %-5s %-9s %-8s text %s on %s: %.2f%s\n", argv[1], red ? "red" : "black",
                        qPrintable(w->objectName()), isFlagged ? "figure" : "text", qPrintable(m.text.name()),
                        qPrintable(m.background.name()), m.ratio, qPrintable(verdict));
        }
    }
    std::fflush(stdout);
    return ok ? 0 : 1;
}
