// SPDX-License-Identifier: MIT
// What assistive tools learn of the two windows through Qt's accessibility
// interfaces: figures read with their captions and announced on change, red
// figures described, the bars' positions in their units, the names of the
// pictures and the Calculate buttons, and the whole window worked without
// mouse or keyboard.
#include "chart_fixture.h"

#include "chart/colors.h"
#include "ui/drawingwindow.h"

#include <QAccessible>
#include <QPolygon>
// Qt's own way to switch accessibility on without an assistive tool: the
// offscreen platform has no bridge that would, and without it no event is
// raised at all.
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace rt;

namespace {

struct Seen {
    QObject* object;
    QAccessible::Event type;
    QString name;        // the object's name when the event was raised
    QString description; // and its description
    QString message;     // what an announcement says
};
std::vector<Seen> seen;

void record(QAccessibleEvent* event)
{
    // Qt 6.11 (not yet 6.8) raises ObjectDestroyed from ~QWidget(), when
    // its subclass (a text box's QLineEdit) is already destroyed: its
    // interface must not be read then.
    QAccessibleInterface* iface =
        event->type() == QAccessible::ObjectDestroyed ? nullptr : event->accessibleInterface();
    QString message;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        message = static_cast<QAccessibleAnnouncementEvent*>(event)->message();
#else
    // Before Qt 6.8 a notification, no widget, is shown instead.
    if (event->type() == QAccessible::ObjectShow && iface && iface->role() == QAccessible::Notification)
        message = iface->text(QAccessible::Name);
#endif
    seen.push_back({event->object(), event->type(), iface ? iface->text(QAccessible::Name) : QString(),
                    iface ? iface->text(QAccessible::Description) : QString(), message});
}

} // namespace

// In a test function: `var` is the accessible interface of the control
// `name`; when there is none the test fails and the function returns.
#define IFACE(var, name)                                                                                               \
    QAccessibleInterface* const var = iface(name);                                                                     \
    if (!var)                                                                                                          \
    return

class TestAccessibility : public QObject, ChartFixture {
    Q_OBJECT

    // The accessible interface of a control; nullptr, the test failed with
    // the control's name, when there is none.
    QAccessibleInterface* iface(const char* name, testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        QWidget* control = find(name, where);
        if (!control)
            return nullptr;
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(control);
        if (!i)
            QTest::qFail(qPrintable(QStringLiteral("no accessible interface for %1").arg(QLatin1String(name))),
                         where.file, where.line);
        return i;
    }
    QString accName(const char* name, testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        QAccessibleInterface* i = iface(name, where);
        return i ? i->text(QAccessible::Name) : QString();
    }
    QString accDescription(const char* name, testsupport::Where where = {__builtin_FILE(), __builtin_LINE()})
    {
        QAccessibleInterface* i = iface(name, where);
        return i ? i->text(QAccessible::Description) : QString();
    }
    // A bar's position in its quantity: from Qt 6.8 on its value text (which
    // its description would only repeat), before that its description.
    QString position(const char* bar)
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QAccessibleInterface* i = iface(bar);
        QAccessibleAttributesInterface* a = i ? i->attributesInterface() : nullptr;
        if (!a)
            return QStringLiteral("(no attributes)");
        return a->attributeValue(QAccessible::Attribute::Custom)
            .value<QHash<QString, QString>>()
            .value(QStringLiteral("valuetext"));
#else
        return accDescription(bar);
#endif
    }
    // Moves both bars to (h, v) so that each really changes, H last.
    void moveTo(int h, int v)
    {
        V->assignValue(Integer(v == 1 ? 3 : 1));
        V->assignValue(Integer(v));
        H->assignValue(Integer(h == 1 ? 3 : 1));
        H->assignValue(Integer(h));
    }
    // The events of one kind raised for a control since the last clear.
    std::vector<Seen> events(const char* name, QAccessible::Event type)
    {
        std::vector<Seen> out;
        QObject* o = find(name);
        for (const Seen& s : seen)
            if (s.object == o && s.type == type)
                out.push_back(s);
        return out;
    }

    // What was announced since the last clear, once the queued work ran.
    QStringList announced()
    {
        QCoreApplication::processEvents();
        QStringList out;
        for (const Seen& e : seen)
            if (!e.message.isEmpty())
                out << e.message;
        return out;
    }
private slots:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(record);
        QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init()
    {
        openWindow();
        seen.clear();
    }
    void cleanup()
    {
        closeWindow();
    }

    // Each figure is read with its caption; the labels carry the figure in
    // their name, the text boxes in their text.
    void figuresReadWithCaption_data()
    {
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::addColumn<QString>("power");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<QString>("delivery");
        QTest::newRow("inside the chart") << 200 << 202 << "41.7"
                                          << "nHR (1/min) : 3500"
                                          << "9.2"
                                          << "Q1 (m3/min) : 6.5";
        QTest::newRow("top row, all red") << 400 << 2 << "75.0"
                                          << "nHR (1/min) : 5500"
                                          << "7.0"
                                          << "Q1 (m3/min) : 10.6";
        QTest::newRow("3730") << 223 << 202 << "41.7"
                              << "nHR (1/min) : 3730"
                              << "8.0"
                              << "Q1 (m3/min) : 7.0";
    }
    void figuresReadWithCaption()
    {
        QFETCH(int, h);
        QFETCH(int, v);
        QFETCH(QString, speed);
        QFETCH(QString, delivery);
        QFETCH(QString, power);
        QFETCH(QString, pressure);
        // Before any change the labels are empty: the caption alone.
        QCOMPARE(accName("Label4"), QStringLiteral("nHR (1/min) :"));
        QCOMPARE(accName("Label20"), QStringLiteral("Q1 (m3/min) :"));
        moveTo(h, v);
        QCOMPARE(accName("Label4"), speed);
        QCOMPARE(accName("Label20"), delivery);
        QCOMPARE(accName("Text1"), QStringLiteral("PK (kW) :"));
        QCOMPARE(accName("Text2"), QStringLiteral("dif. P (bar) :"));
        IFACE(powerBox, "Text1");
        IFACE(pressureBox, "Text2");
        IFACE(speedFigure, "Label4");
        QCOMPARE(powerBox->text(QAccessible::Value), power);
        QCOMPARE(pressureBox->text(QAccessible::Value), pressure);
        // The caption labels each control for the tools as well.
        const auto labelled = speedFigure->relations(QAccessible::Label);
        QCOMPARE(labelled.size(), 1);
        QCOMPARE(labelled.first().first->object(), find("Label3"));
        // What is shown stays as it was.
        QCOMPARE(text("Label4"), speed.section(QLatin1Char(':'), 1).trimmed());
        QCOMPARE(text("Label3"), QStringLiteral("nHR (1/min) :"));
    }

    void textBoxNames_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("name");
        QTest::newRow("Text3") << "Text3"
                               << "Motor RPM :";
        QTest::newRow("Text4") << "Text4"
                               << "Motor Pulley :";
        QTest::newRow("Text5") << "Text5"
                               << "AirEnd Pulley :";
    }
    void textBoxNames()
    {
        QFETCH(QString, box);
        QFETCH(QString, name);
        QCOMPARE(accName(qPrintable(box)), name);
    }

    // A figure label's caption is not read again beside the figure that
    // carries it, but still labels it; a text box's caption is read with the
    // box's text.
    void captionsReadOnce_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("shown");
        QTest::newRow("speed") << "Label3"
                               << "Label4" << false;
        QTest::newRow("delivery") << "Label19"
                                  << "Label20" << false;
        QTest::newRow("power") << "Label1"
                               << "Text1" << true;
        QTest::newRow("motor speed") << "Label2"
                                     << "Text3" << true;
    }
    void captionsReadOnce()
    {
        QFETCH(QString, caption);
        QFETCH(QString, control);
        QFETCH(bool, shown);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        IFACE(c, qPrintable(caption));
        IFACE(labelled, qPrintable(control));
        QCOMPARE(!c->state().invisible, shown);
        QVERIFY(!labelled->state().invisible);
        const auto labels = c->relations(QAccessible::Labelled);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->object(), find(qPrintable(control)));
    }

    // A text box's text is one run of attributes, whatever offset is asked:
    // a screen reader reading it by runs reads it whole ("30.0", not "30.").
    void textBoxOneRun_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("30.0") << "30.0";
        QTest::newRow("one character") << "7";
        QTest::newRow("empty") << "";
    }
    void textBoxOneRun()
    {
        if (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))
            QSKIP("Qt's own interface, whose empty runs the Orca of Qt 6.8 reads whole");
        QFETCH(QString, text);
        setText("Text1", text);
        IFACE(box, "Text1");
        QAccessibleTextInterface* t = box->textInterface();
        QVERIFY(t);
        QCOMPARE(t->characterCount(), int(text.size()));
        for (int offset = 0; offset < text.size(); ++offset) {
            int start = -1;
            int end = -1;
            t->attributes(offset, &start, &end);
            QCOMPARE(start, 0);
            QCOMPARE(end, int(text.size()));
        }
        QCOMPARE(t->text(0, t->characterCount()), text);
        QCOMPARE(box->text(QAccessible::Value), text);
        QVERIFY(box->state().editable);
    }

    // A new figure is announced: the labels' names change, the text boxes'
    // text changes; each event already carries the new figure.
    void changesAnnounced()
    {
        moveTo(200, 202);
        seen.clear();
        H->assignValue(223);
        const auto speed = events("Label4", QAccessible::NameChanged);
        QVERIFY(!speed.empty());
        QCOMPARE(speed.back().name, QStringLiteral("nHR (1/min) : 3730"));
        const auto delivery = events("Label20", QAccessible::NameChanged);
        QVERIFY(!delivery.empty());
        QCOMPARE(delivery.back().name, QStringLiteral("Q1 (m3/min) : 7.0"));
        QVERIFY(!events("Text2", QAccessible::TextUpdated).empty());

        seen.clear();
        V->assignValue(226);
        QVERIFY(!events("Text1", QAccessible::TextUpdated).empty());
        IFACE(powerBox, "Text1");
        QCOMPARE(powerBox->text(QAccessible::Value), QStringLiteral("37.7"));
    }

    // A figure turned red is described as outside the chart, and the
    // description goes when it turns black; both are announced.
    void redDescribed_data()
    {
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::addColumn<QStringList>("redFigures");
        QTest::newRow("all four") << 400 << 2 << QStringList{"Text1", "Label4", "Text2", "Label20"};
        QTest::newRow("pressure and delivery") << 350 << 202 << QStringList{"Text2", "Label20"};
        QTest::newRow("power and speed") << 400 << 102 << QStringList{"Text1", "Label4"};
    }
    void redDescribed()
    {
        QFETCH(int, h);
        QFETCH(int, v);
        QFETCH(QStringList, redFigures);
        const QString outside = QStringLiteral("Outside what the chart covers");
        moveTo(h, v);
        for (const char* n : {"Text1", "Label4", "Text2", "Label20"}) {
            const bool red = redFigures.contains(QLatin1String(n));
            QVERIFY2(accDescription(n) == (red ? outside : QString()), n);
            if (red) {
                const auto changed = events(n, QAccessible::DescriptionChanged);
                QVERIFY2(!changed.empty() && changed.back().description == outside, n);
            }
        }
        seen.clear();
        moveTo(200, 202); // all black
        for (const QString& n : redFigures) {
            const QByteArray latin1 = n.toLatin1();
            const char* name = latin1.constData();
            QVERIFY2(accDescription(name).isEmpty(), name);
            const auto changed = events(name, QAccessible::DescriptionChanged);
            QVERIFY2(!changed.empty() && changed.back().description.isEmpty(), name);
        }
    }

    // The bars are named after their quantity and tell their position in it.
    void barPositions_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("position");
        QTest::newRow("speed at 0") << "HScroll1" << 0 << "Air-end speed nHR"
                                    << "1500 1/min";
        QTest::newRow("speed at 223") << "HScroll1" << 223 << "Air-end speed nHR"
                                      << "3730 1/min";
        QTest::newRow("speed at 450") << "HScroll1" << 450 << "Air-end speed nHR"
                                      << "6000 1/min";
        QTest::newRow("power at 0") << "VScroll1" << 0 << "Shaft power PK"
                                    << "75.3 kW";
        QTest::newRow("power at 226") << "VScroll1" << 226 << "Shaft power PK"
                                      << "37.7 kW";
        QTest::newRow("power at 450") << "VScroll1" << 450 << "Shaft power PK"
                                      << ".3 kW";
    }
    void barPositions()
    {
        QFETCH(QString, bar);
        QFETCH(int, value);
        QFETCH(QString, name);
        QFETCH(QString, position);
        FIND(ScrollBar, b, w.get(), bar);
        if (value == 0) { // the start, then back there
            QCOMPARE(this->position(qPrintable(bar)), position);
            b->assignValue(5);
        }
        seen.clear();
        b->assignValue(value);
        IFACE(i, qPrintable(bar));
        QCOMPARE(i->text(QAccessible::Name), name);
        QCOMPARE(this->position(qPrintable(bar)), position);
        QCOMPARE(i->valueInterface()->currentValue().toInt(), value);
        QCOMPARE(i->valueInterface()->minimumValue().toInt(), 0);
        QCOMPARE(i->valueInterface()->maximumValue().toInt(), 450);
        QVERIFY(!events(qPrintable(bar), QAccessible::ValueChanged).empty());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QVERIFY(i->text(QAccessible::Description).isEmpty());
        QVERIFY(events(qPrintable(bar), QAccessible::DescriptionChanged).empty());
#else
        QVERIFY(!events(qPrintable(bar), QAccessible::DescriptionChanged).empty());
#endif
    }

    // The power bar says what Text1 shows, at every position.
    void powerBarAgreesWithText1()
    {
        for (int v = 450; v >= 0; --v) {
            V->assignValue(v);
            QCOMPARE(position("VScroll1"), text("Text1") + QStringLiteral(" kW"));
        }
    }

    // Set through the value interface, as a screen reader does: the bar's
    // Change handler runs.
    void barsSetThroughValueInterface()
    {
        IFACE(speedBar, "HScroll1");
        IFACE(powerBar, "VScroll1");
        speedBar->valueInterface()->setCurrentValue(223);
        QCOMPARE(H->Value(), Integer(223));
        QCOMPARE(text("Label4"), QStringLiteral("3730"));
        powerBar->valueInterface()->setCurrentValue(226);
        QCOMPARE(text("Text1"), QStringLiteral("37.7"));
        QCOMPARE(Line2->Y1(), Single(112));
        QCOMPARE(accName("Label20"), QStringLiteral("Q1 (m3/min) : 7.0"));
    }

    // A value beyond a bar's ends, as a screen reader may send it, takes the
    // end, as a drag of the thumb past it would: no runtime error.
    void barSetBeyondItsEnds_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("speed");
        QTest::newRow("above Max") << 1000 << 450 << "6000";
        QTest::newRow("below 0") << -5 << 0 << "1500";
    }
    void barSetBeyondItsEnds()
    {
        QFETCH(int, value);
        QFETCH(int, bar);
        QFETCH(QString, speed);
        IFACE(speedBar, "HScroll1");
        H->assignValue(200);
        QSignalSpy changes(H, &rt::ScrollBar::Change);
        speedBar->valueInterface()->setCurrentValue(value);
        QCOMPARE(H->Value(), Integer(bar));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(text("Label4"), speed);
    }

    void picturesAndButtons_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("Command1") << "Command1"
                                  << "Calculate speed from power and pressure"
                                  << "Calculate "
                                  << "Power, Pressure, RPM";
        QTest::newRow("Command2") << "Command2"
                                  << "Calculate speed from the belt pulleys"
                                  << "Calculate"
                                  << "Calculate AirEnd RPM for above pulleys";
        QTest::newRow("Picture1") << "Picture1"
                                  << "Performance chart KRTd258" << QString() << QString();
    }
    void picturesAndButtons()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        FIND(QWidget, wgt, w.get(), control);
        QCOMPARE(accName(qPrintable(control)), name);
        QCOMPARE(wgt->toolTip(), toolTip);
        if (auto* b = qobject_cast<QPushButton*>(wgt)) {
            QCOMPARE(b->text(), caption);
            QCOMPARE(accDescription(qPrintable(control)), toolTip);
        } else {
            IFACE(picture, qPrintable(control));
            QCOMPARE(picture->role(), QAccessible::Graphic);
            QVERIFY(!accDescription(qPrintable(control)).isEmpty());
        }
    }

    void drawingPicture()
    {
        ui::DrawingWindow drawing;
        FIND(QWidget, picture, &drawing, "Picture1");
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(picture);
        QCOMPARE(i->text(QAccessible::Name), QStringLiteral("Dimension drawing KRTd258"));
        QVERIFY(!i->text(QAccessible::Description).isEmpty());
        QCOMPARE(i->role(), QAccessible::Graphic);
    }

    // A press or drag on the chart is announced once, when the last button
    // is released, with the whole operating point and the warnings that
    // turned on or off; the same point again says nothing.
    void chartMovesAnnounced_data()
    {
        QTest::addColumn<bool>("redBefore"); // pressure and delivery red before
        QTest::addColumn<QPolygon>("path");  // a built-in meta type
        QTest::addColumn<QString>("said");
        const QString point = QStringLiteral("3730 1/min, 37.7 kW, 6.4 bar, Q1 7.0 m3/min @ 7 bar.");
        QTest::newRow("press") << false << QPolygon{{200, 112}} << point;
        QTest::newRow("press, a warning clears")
            << true << QPolygon{{200, 112}} << point + " Pressure and delivery inside the chart again.";
        QTest::newRow("drag") << false << QPolygon{{210, 120}, {230, 110}, {250, 90}}
                              << "4290 1/min, 45.0 kW, 6.5 bar, Q1 8.1 m3/min @ 7 bar.";
    }
    void chartMovesAnnounced()
    {
        QFETCH(bool, redBefore);
        QFETCH(QPolygon, path);
        QFETCH(QString, said);
        if (redBefore)
            H->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        announced();
        seen.clear();
        chartMouse(QEvent::MouseButtonPress, path.first(), Qt::RightButton, Qt::RightButton);
        for (const QPoint& p : path.mid(1))
            chartMouse(QEvent::MouseMove, p, Qt::NoButton, Qt::RightButton);
        QVERIFY(announced().isEmpty()); // not while the button is held
        chartMouse(QEvent::MouseButtonRelease, path.last(), Qt::RightButton, Qt::NoButton);
        QCOMPARE(announced(), QStringList{said});
        seen.clear();
        chartMouse(QEvent::MouseButtonPress, path.last(), Qt::LeftButton, Qt::LeftButton);
        chartMouse(QEvent::MouseButtonRelease, path.last(), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(announced(), QStringList());
    }

    // A bar moved by the user: the warnings that change, and the bar's
    // quantity where the screen reader would not speak it (no value text
    // before Qt 6.8, or the bar not focused).
    void barMovesAnnounced()
    {
        const bool valueText = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);
        seen.clear();
        H->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(announced(),
                 QStringList{QStringLiteral("1510 1/min. Pressure and delivery outside what the chart covers.")});
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        H->setFocus();
        QVERIFY(H->hasFocus());
        seen.clear();
        H->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        const QString warning = QStringLiteral("Speed and power outside what the chart covers.");
        QCOMPARE(announced(), QStringList{valueText ? warning : QStringLiteral("1520 1/min. ") + warning});
    }

    // A bar set by an assistive tool says nothing, but the next
    // announcement compares with it: here the warning it turned on clears.
    void barSetByAToolIsLookedAtSilently()
    {
        IFACE(speedBar, "HScroll1");
        FIND(TextBox, pressure, w.get(), "Text2");
        seen.clear();
        speedBar->valueInterface()->setCurrentValue(1);
        QCOMPARE(pressure->ForeColor(), chart::colors::Red);
        QCOMPARE(announced(), QStringList());
        chartMouse(QEvent::MouseButtonPress, {200, 112}, Qt::LeftButton, Qt::LeftButton);
        chartMouse(QEvent::MouseButtonRelease, {200, 112}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(announced(), QStringList{QStringLiteral("3730 1/min, 37.7 kW, 6.4 bar, Q1 7.0 m3/min @ 7 bar. "
                                                         "Pressure and delivery inside the chart again.")});
    }

    // A Calculate that moves the point announces the speed found and the
    // figures there; one that changes nothing, or whose input is refused,
    // says nothing.
    void calculationsAnnounced()
    {
        const auto calculate = [this](const char* button,
                                      std::initializer_list<std::pair<const char*, const char*>> in) {
            for (const auto& [box, value] : in)
                setText(box, QString::fromLatin1(value));
            seen.clear();
            click(button);
            return announced();
        };
        QCOMPARE(calculate("Command1", {{"Text1", "30"}, {"Text2", "8.5"}}),
                 QStringList{QStringLiteral("2740 1/min, 30.0 kW, 8.5 bar, Q1 5.0 m3/min @ 7 bar.")});
        QCOMPARE(calculate("Command1", {}), QStringList());
        QCOMPARE(calculate("Command2", {{"Text3", "1450"}, {"Text4", "250"}, {"Text5", "100"}}),
                 QStringList{QStringLiteral("3620 1/min, 30.0 kW, 4.0 bar, Q1 6.9 m3/min @ 4 bar. "
                                            "Pressure and delivery outside what the chart covers.")});
        QCOMPARE(calculate("Command2", {}), QStringList());
        QCOMPARE(calculate("Command2", {{"Text4", "0"}}), QStringList()); // refused: nothing moves
        // Refused, with new text in the boxes: still nothing moves.
        QCOMPARE(calculate("Command1", {{"Text1", "999"}, {"Text2", "20"}}), QStringList());
    }

    // Typing through the editable-text interface and pressing through the
    // action interface run both calculations.
    void calculationsThroughInterfaces()
    {
        moveTo(200, 202);
        const auto type = [this](const char* box, const QString& text) {
            IFACE(i, box);
            QAccessibleEditableTextInterface* e = i->editableTextInterface();
            QVERIFY(e && i->textInterface());
            e->replaceText(0, i->textInterface()->characterCount(), text);
        };
        const auto press = [this](const char* button) {
            IFACE(i, button);
            QAccessibleActionInterface* a = i->actionInterface();
            QVERIFY(a && a->actionNames().contains(QAccessibleActionInterface::pressAction()));
            a->doAction(QAccessibleActionInterface::pressAction());
        };
        type("Text1", QStringLiteral("30"));
        type("Text2", QStringLiteral("8.5"));
        QCOMPARE(text("Text1"), QStringLiteral("30"));
        QCOMPARE(text("Text2"), QStringLiteral("8.5"));
        press("Command1"); // a pressed button clicks a moment later, as it shows the press
        QTRY_COMPARE(H->Value(), Integer(124));
        QCOMPARE(V->Value(), Integer(272));
        QCOMPARE(accName("Label4"), QStringLiteral("nHR (1/min) : 2740"));

        type("Text3", QStringLiteral("1450"));
        type("Text4", QStringLiteral("250"));
        type("Text5", QStringLiteral("100"));
        press("Command2");
        QTRY_COMPARE(accName("Label4"), QStringLiteral("nHR (1/min) : 3620"));
        IFACE(speedBar, "HScroll1");
        QCOMPARE(speedBar->valueInterface()->currentValue().toInt(), 212);
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
