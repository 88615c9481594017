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

#include <algorithm>

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
// The bars described so far, with their positions' quantities.
QHash<const QObject*, Position>& positions();

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
    explicit BarAccessible(rt::ScrollBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar)
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
    // A screen reader sets the bar as a drag of its thumb would: within its
    // range, through the one way the program's values take.
    void setCurrentValue(const QVariant& value) override
    {
        bar()->assignValue(std::clamp(value.toInt(), bar()->minimum(), bar()->maximum()));
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
        const Position position = positions().value(object());
        if (!position)
            return {};
        return QVariant::fromValue(QHash<QString, QString>{{QStringLiteral("valuetext"), position(bar()->value())}});
    }
#endif

private:
    rt::ScrollBar* bar() const
    {
        return static_cast<rt::ScrollBar*>(object());
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
        return new BarAccessible(static_cast<rt::ScrollBar*>(object));
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

QHash<const QObject*, Position>& positions()
{
    static QHash<const QObject*, Position> described;
    return described;
}

// Names a bar after its quantity and gives its position in that quantity:
// as the value text, or before Qt 6.8 as its description. A screen reader
// speaks either when the bar moves; both would say it twice.
void describePosition(rt::ScrollBar* bar, const QString& name, Position position)
{
    positions().insert(bar, position);
    QObject::connect(bar, &QObject::destroyed, [bar] { positions().remove(bar); });
    bar->setAccessibleName(name);
    if (barValueText)
        return;
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

void describeChartWindow(const ChartWindowAccessibles& c)
{
    // Figures shown by labels take their name from their caption (the
    // caption's buddy), text boxes keep the caption as a fixed name: their
    // value is their text.
    const std::pair<rt::Label*, rt::Label*> labelFigures[] = {{c.Label4, c.Label3}, {c.Label20, c.Label19}};
    for (const auto& [figure, caption] : labelFigures) {
        caption->setBuddy(figure);
        remakeInterface(figure);
        remakeInterface(caption);
        QObject::connect(figure, &rt::Label::foreColorChanged, figure,
                         [l = figure](rt::Long color) { describeRed(l, color); });
    }
    const std::pair<rt::TextBox*, rt::Label*> boxes[] = {
        {c.Text1, c.Label1}, {c.Text2, c.Label5}, {c.Text3, c.Label2}, {c.Text4, c.Label22}, {c.Text5, c.Label24}};
    for (const auto& [box, caption] : boxes) {
        caption->setBuddy(box);
        box->setAccessibleName(caption->text().trimmed());
        QObject::connect(box, &rt::TextBox::foreColorChanged, box,
                         [t = box](rt::Long color) { describeRed(t, color); });
    }

    describePosition(c.HScroll1, QStringLiteral("Air-end speed nHR"), speedAt);
    describePosition(c.VScroll1, QStringLiteral("Shaft power PK"), powerAt);

    c.Picture1->setAccessibleName(QStringLiteral("Performance chart KRTd258"));
    c.Picture1->setAccessibleDescription(
        QStringLiteral("Shaft power against air-end speed, with the curves for 4, 7, 10 and 13 bar; "
                       "a press sets the operating point"));

    // Moves of the operating point, announced to screen readers.
    auto* announcer = new Announcer(c.window, {c.Label4, c.Text1, c.Text2, c.Label20, c.Label21});
    announcer->watchChart(c.Picture1);
    announcer->watchBar(c.HScroll1, speedAt);
    announcer->watchBar(c.VScroll1, powerAt);
    announcer->watchCalculate(c.Command1);
    announcer->watchCalculate(c.Command2);

    // The visible captions differ only by a trailing blank.
    c.Command1->setAccessibleName(QStringLiteral("Calculate speed from power and pressure"));
    c.Command2->setAccessibleName(QStringLiteral("Calculate speed from the belt pulleys"));
}

void describeDrawingWindow(rt::PictureBox* picture)
{
    picture->setAccessibleName(QStringLiteral("Dimension drawing KRTd258"));
    picture->setAccessibleDescription(QStringLiteral("The dimensions of the KRTd258 air end"));
}

} // namespace ui
