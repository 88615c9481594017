// SPDX-License-Identifier: MIT
#include "announcer.h"

#include "chart/colors.h"
#include "runtime/label.h"
#include "runtime/textbox.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleObject>
#include <QMouseEvent>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace ui {

namespace {

// The figures in the order they are read, with the words that name them.
constexpr const char* figureNames[] = {"speed", "power", "pressure", "delivery"};

// "speed", "speed and power", "speed, power and pressure".
QString joined(const QStringList& names)
{
    if (names.size() < 2)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
}

QString sentence(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text + QLatin1Char('.');
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Qt before 6.8 has no announcement event, and its bridge sends a changed
// name or description without the new text, which screen readers cannot
// speak. A notification shown to the bridge is spoken wherever the focus is:
// this one is a plain object, no widget, so nothing is drawn and no widget
// is added to the window.
class Notification : public QObject {
public:
    explicit Notification(QObject* parent) : QObject(parent) { setProperty(marker, true); }
    static constexpr const char* marker = "krtd258Notification";
    QString text;
};

class NotificationAccessible : public QAccessibleObject {
public:
    explicit NotificationAccessible(Notification* n) : QAccessibleObject(n) {}
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(object()->parent()); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const Notification*>(object())->text : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

QAccessibleInterface* notificationFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QObject") && object && object->property(Notification::marker).toBool())
        return new NotificationAccessible(static_cast<Notification*>(object));
    return nullptr;
}
#endif

} // namespace

Announcer::Announcer(QWidget* window, const Figures& figures)
    : QObject(window), window_(window), figures_(figures), seen_(look())
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    static const bool installed = [] {
        QAccessible::installFactory(notificationFactory);
        return true;
    }();
    Q_UNUSED(installed)
    notification_ = new Notification(window);
#endif
}

void Announcer::watchChart(QWidget* chart)
{
    chart->installEventFilter(this);
}

void Announcer::watchBar(QAbstractSlider* bar, QString (*position)(int))
{
    bars_ << bar;
    seen_ = look();
    const auto moved = [this, bar, position] {
        movedBar_ = bar;
        movedPosition_ = position;
        movedBarFocused_ = bar->hasFocus();
        afterwards(Move::Bar);
    };
    // Every move by the user (keys, arrows, track, wheel) triggers an
    // action; a thumb drag moves the point when the thumb is released.
    connect(bar, &QAbstractSlider::actionTriggered, this, moved);
    connect(bar, &QAbstractSlider::sliderReleased, this, moved);
    // Any other change is looked at, so that the next announcement compares
    // with what is shown; a drag on the chart is looked at when it ends.
    connect(bar, &QAbstractSlider::valueChanged, this, [this] {
        if (!chartHeld_)
            afterwards(Move::Look);
    });
}

void Announcer::watchCalculate(QAbstractButton* button)
{
    connect(button, &QAbstractButton::clicked, this, [this] { afterwards(Move::Point); });
}

bool Announcer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        chartHeld_ = true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
        chartHeld_ = false;
        afterwards(Move::Point);
    }
    return QObject::eventFilter(watched, event);
}

Announcer::Seen Announcer::look() const
{
    const auto red = [](rt::Long color) { return color == chart::colors::Red; };
    Seen s;
    for (const QAbstractSlider* bar : bars_)
        s.positions << bar->value();
    s.red[0] = red(figures_.speed->ForeColor());
    s.red[1] = red(figures_.power->ForeColor());
    s.red[2] = red(figures_.pressure->ForeColor());
    s.red[3] = red(figures_.delivery->ForeColor());
    return s;
}

void Announcer::afterwards(Move move)
{
    const bool queued = pending_ != Move::None;
    pending_ = std::max(pending_, move);
    if (!queued)
        QMetaObject::invokeMethod(this, &Announcer::announceChanges, Qt::QueuedConnection);
}

void Announcer::announceChanges()
{
    const Move move = std::exchange(pending_, Move::None);
    const Seen before = std::exchange(seen_, look());
    const Seen& now = seen_;
    if (now == before || move == Move::Look)
        return; // nothing moved, or nothing to say

    QStringList parts;
    if (move == Move::Point) {
        const auto shown = [](const QWidget* figure) { return figure->property("text").toString().trimmed(); };
        QString point = shown(figures_.speed) + QStringLiteral(" 1/min, ") + shown(figures_.power) +
                        QStringLiteral(" kW, ") + shown(figures_.pressure) + QStringLiteral(" bar");
        if (!shown(figures_.delivery).isEmpty())
            point +=
                QStringLiteral(", Q1 ") + shown(figures_.delivery) + QStringLiteral(" m3/min ") + shown(figures_.band);
        parts << point + QLatin1Char('.');
    } else if (movedBar_) {
        // A screen reader speaks the value of the bar that has the focus; from
        // Qt 6.8 on that value reads in the bar's quantity.
        constexpr bool valueText = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);
        if (!valueText || !movedBarFocused_)
            parts << movedPosition_(movedBar_->value()) + QLatin1Char('.');
    }
    QStringList turnedRed, turnedBack;
    for (int i = 0; i < 4; ++i) {
        if (now.red[i] && !before.red[i])
            turnedRed << QString::fromLatin1(figureNames[i]);
        else if (!now.red[i] && before.red[i])
            turnedBack << QString::fromLatin1(figureNames[i]);
    }
    if (!turnedRed.isEmpty())
        parts << sentence(joined(turnedRed) + QStringLiteral(" outside what the chart covers"));
    if (!turnedBack.isEmpty())
        parts << sentence(joined(turnedBack) + QStringLiteral(" inside the chart again"));
    if (!parts.isEmpty())
        say(parts.join(QLatin1Char(' ')));
}

void Announcer::say(const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window_, text);
    QAccessible::updateAccessibility(&event);
#else
    auto* n = static_cast<Notification*>(notification_);
    n->text = text;
    QAccessibleEvent event(n, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
#endif
}

} // namespace ui
