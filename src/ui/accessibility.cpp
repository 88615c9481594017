// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "announcer.h"
#include "textboxaccessible.h"

#include "chart/axes.h"
#include "chart/colors.h"
#include "runtime/controls.h"

#include <QAbstractSlider>
#include <QAccessibleWidget>
#include <QHash>
#include <QLineEdit>
#include <QPointer>

namespace ui {

namespace {

// A figure label read with the caption that labels it: "nHR (1/min) : 3730".
// The name is built when it is asked for, so it always holds the figure
// shown; QLabel::setText() announces the change itself (NameChanged) as long
// as the label has no fixed accessible name.
class FigureAccessible : public QAccessibleWidget {
public:
    FigureAccessible(QLabel* figure, QLabel* caption)
        : QAccessibleWidget(figure, QAccessible::StaticText), caption_(caption)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty() || !caption_)
            return QAccessibleWidget::text(t);
        const QString value = static_cast<const QLabel*>(object())->text().trimmed();
        const QString caption = caption_->text().trimmed();
        return value.isEmpty() ? caption : caption + QLatin1Char(' ') + value;
    }

private:
    QPointer<QLabel> caption_;
};

// The caption of a figure label: the figure reads with it, so the caption
// itself is kept out of what is shown to the tools (a screen reader's review
// of the window would read it twice) while still labelling the figure.
class CaptionAccessible : public QAccessibleWidget {
public:
    explicit CaptionAccessible(QLabel* caption) : QAccessibleWidget(caption, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(object())->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto all = QAccessibleWidget::relations(match);
        QWidget* figure = static_cast<const QLabel*>(object())->buddy();
        if (figure && (match & QAccessible::Labelled))
            all.append({QAccessible::queryAccessibleInterface(figure), QAccessible::Labelled});
        return all;
    }
};

// Whether the bridge gives a scroll bar a value text (Qt 6.8 and later).
constexpr bool barValueText = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);

// A scroll bar's position in its quantity, as Label4 and Text1 show it.
using Position = QString (*)(int);
Position positionOf(const QObject* bar);

// A scroll bar as Qt presents one (its position, range and step, set
// through the value interface), whose value also reads in the bar's
// quantity: "1510 1/min" rather than "1". Qt 6.8 and later give that to
// screen readers as the value text; before, it is the bar's description.
class BarAccessible : public QAccessibleWidget,
                      public QAccessibleValueInterface
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    ,
                      public QAccessibleAttributesInterface
#endif
{
public:
    explicit BarAccessible(QAbstractSlider* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (t == QAccessible::AttributesInterface)
            return static_cast<QAccessibleAttributesInterface*>(this);
#endif
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? QString::number(bar()->value()) : QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override
    {
        return bar()->value();
    }
    void setCurrentValue(const QVariant& value) override
    {
        bar()->setValue(value.toInt());
    }
    QVariant maximumValue() const override
    {
        return bar()->maximum();
    }
    QVariant minimumValue() const override
    {
        return bar()->minimum();
    }
    QVariant minimumStepSize() const override
    {
        return bar()->singleStep();
    }

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QList<QAccessible::Attribute> attributeKeys() const override
    {
        return {QAccessible::Attribute::Custom};
    }
    QVariant attributeValue(QAccessible::Attribute key) const override
    {
        if (key != QAccessible::Attribute::Custom)
            return {};
        const Position position = positionOf(object());
        if (!position)
            return {};
        return QVariant::fromValue(QHash<QString, QString>{{QStringLiteral("valuetext"), position(bar()->value())}});
    }
#endif

private:
    QAbstractSlider* bar() const
    {
        return static_cast<QAbstractSlider*>(object());
    }
};

// The caption label whose buddy the figure is, if any.
QLabel* captionOf(QLabel* figure)
{
    QWidget* parent = figure->parentWidget();
    if (!parent)
        return nullptr;
    for (QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (l->buddy() == figure)
            return l;
    }
    return nullptr;
}

QAccessibleInterface* interfaceFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("rt::Label")) {
        auto* label = static_cast<QLabel*>(object);
        if (QLabel* caption = captionOf(label))
            return new FigureAccessible(label, caption);
        if (qobject_cast<QLabel*>(label->buddy()))
            return new CaptionAccessible(label);
    } else if (className == QLatin1String("rt::ScrollBar")) {
        return new BarAccessible(static_cast<QAbstractSlider*>(object));
    } else if (className == QLatin1String("rt::TextBox")) {
        // Qt 6.8 and later keep their own: the Orca they meet reads it whole.
        if (QT_VERSION < QT_VERSION_CHECK(6, 8, 0))
            return new TextBoxAccessible(static_cast<QLineEdit*>(object));
    } else if (className == QLatin1String("rt::PictureBox")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    }
    return nullptr;
}

// Makes the control's interface anew, from what it now is: Qt keeps the one
// made when the control first raised an event, before it had its caption.
void remakeInterface(QObject* control)
{
    if (QAccessibleInterface* old = QAccessible::queryAccessibleInterface(control))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
}

template <class T = QWidget>
T* child(QWidget* window, const char* name)
{
    auto* found = window->findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// A figure turned red lies outside the chart; black clears the description.
void describeRed(QWidget* field, rt::Long color)
{
    field->setAccessibleDescription(color == chart::colors::Red ? QStringLiteral("Outside what the chart covers")
                                                                : QString());
}

// The bars' positions in their quantities, as Label4 and Text1 show them.
QString speedAt(int h)
{
    return chart::axes::speed(rt::Integer(h)) + QStringLiteral(" 1/min");
}

QString powerAt(int v)
{
    return chart::axes::power(chart::axes::row(rt::Integer(v))) + QStringLiteral(" kW");
}

Position positionOf(const QObject* bar)
{
    if (bar->objectName() == QLatin1String("HScroll1"))
        return speedAt;
    if (bar->objectName() == QLatin1String("VScroll1"))
        return powerAt;
    return nullptr;
}

// Names a bar after its quantity and gives its position in that quantity:
// as the value text, or before Qt 6.8 as its description. A screen reader
// speaks either when the bar moves; both would say it twice.
void describePosition(rt::ScrollBar* bar, const QString& name)
{
    bar->setAccessibleName(name);
    if (barValueText)
        return;
    const Position position = positionOf(bar);
    bar->setAccessibleDescription(position(bar->value()));
    QObject::connect(bar, &QAbstractSlider::valueChanged, bar,
                     [bar, position](int value) { bar->setAccessibleDescription(position(value)); });
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

void describeChartWindow(QWidget* window)
{

    // Figures shown by labels take their name from their caption (the
    // caption's buddy), text boxes keep the caption as a fixed name: their
    // value is their text.
    const std::pair<const char*, const char*> labelFigures[] = {{"Label4", "Label3"}, {"Label20", "Label19"}};
    for (const auto& [figure, caption] : labelFigures) {
        auto* l = child<rt::Label>(window, figure);
        auto* c = child<rt::Label>(window, caption);
        c->setBuddy(l);
        remakeInterface(l);
        remakeInterface(c);
        QObject::connect(l, &rt::Label::foreColorChanged, l, [l](rt::Long color) { describeRed(l, color); });
    }
    const std::pair<const char*, const char*> boxes[] = {
        {"Text1", "Label1"}, {"Text2", "Label5"}, {"Text3", "Label2"}, {"Text4", "Label22"}, {"Text5", "Label24"}};
    for (const auto& [box, caption] : boxes) {
        auto* t = child<rt::TextBox>(window, box);
        auto* c = child<rt::Label>(window, caption);
        c->setBuddy(t);
        t->setAccessibleName(c->text().trimmed());
        QObject::connect(t, &rt::TextBox::foreColorChanged, t, [t](rt::Long color) { describeRed(t, color); });
    }

    describePosition(child<rt::ScrollBar>(window, "HScroll1"), QStringLiteral("Air-end speed nHR"));
    describePosition(child<rt::ScrollBar>(window, "VScroll1"), QStringLiteral("Shaft power PK"));

    auto* chart = child<rt::PictureBox>(window, "Picture1");
    chart->setAccessibleName(QStringLiteral("Performance chart KRTd258"));
    chart->setAccessibleDescription(
        QStringLiteral("Shaft power against air-end speed, with the curves for 4, 7, 10 and 13 bar; "
                       "a press sets the operating point"));

    // Moves of the operating point, announced to screen readers.
    auto* announcer = new Announcer(window, {child<rt::Label>(window, "Label4"), child<rt::TextBox>(window, "Text1"),
                                             child<rt::TextBox>(window, "Text2"), child<rt::Label>(window, "Label20"),
                                             child<rt::Label>(window, "Label21")});
    announcer->watchChart(chart);
    for (const char* name : {"HScroll1", "VScroll1"}) {
        auto* bar = child<rt::ScrollBar>(window, name);
        announcer->watchBar(bar, positionOf(bar));
    }
    announcer->watchCalculate(child<rt::CommandButton>(window, "Command1"));
    announcer->watchCalculate(child<rt::CommandButton>(window, "Command2"));

    // The visible captions differ only by a trailing blank.
    child(window, "Command1")->setAccessibleName(QStringLiteral("Calculate speed from power and pressure"));
    child(window, "Command2")->setAccessibleName(QStringLiteral("Calculate speed from the belt pulleys"));
}

void describeDrawingWindow(QWidget* window)
{
    auto* picture = child<rt::PictureBox>(window, "Picture1");
    picture->setAccessibleName(QStringLiteral("Dimension drawing KRTd258"));
    picture->setAccessibleDescription(QStringLiteral("The dimensions of the KRTd258 air end"));
}

} // namespace ui
