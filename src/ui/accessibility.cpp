// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "chart/axes.h"
#include "chart/colors.h"
#include "runtime/controls.h"

#include <QAccessibleWidget>
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
    } else if (className == QLatin1String("rt::PictureBox")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    }
    return nullptr;
}

void installInterfaceFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFactory);
        return true;
    }();
    Q_UNUSED(installed)
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
void describeRed(QWidget* field, rt::Long colour)
{
    field->setAccessibleDescription(colour == chart::colors::Red ? QStringLiteral("Outside what the chart covers")
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

void describePosition(rt::ScrollBar* bar, const QString& name, QString (*position)(int))
{
    bar->setAccessibleName(name);
    bar->setAccessibleDescription(position(bar->value()));
    QObject::connect(bar, &QAbstractSlider::valueChanged, bar,
                     [bar, position](int value) { bar->setAccessibleDescription(position(value)); });
}

} // namespace

void describeChartWindow(QWidget* window)
{
    installInterfaceFactory();

    // Figures shown by labels take their name from their caption (the
    // caption's buddy), text boxes keep the caption as a fixed name: their
    // value is their text.
    const std::pair<const char*, const char*> labelFigures[] = {{"Label4", "Label3"}, {"Label20", "Label19"}};
    for (const auto& [figure, caption] : labelFigures) {
        auto* l = child<rt::Label>(window, figure);
        child<rt::Label>(window, caption)->setBuddy(l);
        QObject::connect(l, &rt::Label::foreColorChanged, l, [l](rt::Long colour) { describeRed(l, colour); });
    }
    const std::pair<const char*, const char*> boxes[] = {
        {"Text1", "Label1"}, {"Text2", "Label5"}, {"Text3", "Label2"}, {"Text4", "Label22"}, {"Text5", "Label24"}};
    for (const auto& [box, caption] : boxes) {
        auto* t = child<rt::TextBox>(window, box);
        auto* c = child<rt::Label>(window, caption);
        c->setBuddy(t);
        t->setAccessibleName(c->text().trimmed());
        QObject::connect(t, &rt::TextBox::foreColorChanged, t, [t](rt::Long colour) { describeRed(t, colour); });
    }

    describePosition(child<rt::ScrollBar>(window, "HScroll1"), QStringLiteral("Air-end speed nHR"), speedAt);
    describePosition(child<rt::ScrollBar>(window, "VScroll1"), QStringLiteral("Shaft power PK"), powerAt);

    auto* chart = child<rt::PictureBox>(window, "Picture1");
    chart->setAccessibleName(QStringLiteral("Performance chart KRTd258"));
    chart->setAccessibleDescription(
        QStringLiteral("Shaft power against air-end speed, with the curves for 4, 7, 10 and 13 bar; "
                       "a press sets the operating point"));

    // The visible captions differ only by a trailing blank.
    child(window, "Command1")->setAccessibleName(QStringLiteral("Calculate speed from power and pressure"));
    child(window, "Command2")->setAccessibleName(QStringLiteral("Calculate speed from the belt pulleys"));
}

void describeDrawingWindow(QWidget* window)
{
    installInterfaceFactory();
    auto* picture = child<rt::PictureBox>(window, "Picture1");
    picture->setAccessibleName(QStringLiteral("Dimension drawing KRTd258"));
    picture->setAccessibleDescription(QStringLiteral("The dimensions of the KRTd258 air end"));
}

} // namespace ui
