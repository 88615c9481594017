// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAbstractButton;
class QAbstractSlider;
class QWidget;

namespace rt {
class Label;
class TextBox;
} // namespace rt

namespace ui {

// What a screen reader says on its own when the operating point moves,
// without the user tabbing round to each figure. Once an interaction has
// been handled, the point (the bars' positions) and the red flags are
// compared with those at the last look, and what changed is announced once:
//  - a move of a scroll bar by the user announces the figures that turned
//    red or back, and the bar's quantity where the screen reader does not
//    speak it itself (before Qt 6.8, whose bridge gives a bar no value
//    text, or where the bar has no focus);
//  - a press or drag on the chart, once the last button is released, and a
//    Calculate announce the whole operating point, with the same warnings;
//  - nothing is announced where the point did not move: a Calculate whose
//    input is refused says nothing, whatever was typed. A bar set in any
//    other way (by an assistive tool) is looked at without a word.
// Qt 6.8 and later raise an announcement; before, a notification that is no
// widget is shown to the accessibility bridge. Nothing visible changes.
class Announcer : public QObject {
    Q_OBJECT
public:
    struct Figures {
        rt::Label* speed;
        rt::TextBox* power;
        rt::TextBox* pressure;
        rt::Label* delivery;
        rt::Label* band;
    };
    Announcer(QWidget* window, const Figures& figures);

    // The chart, whose presses and drags move the point.
    void watchChart(QWidget* chart);
    // A scroll bar that moves the point; position gives its value in its
    // quantity ("1510 1/min").
    void watchBar(QAbstractSlider* bar, QString (*position)(int));
    // A button whose click may move the point.
    void watchCalculate(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Seen {
        QList<int> positions; // of the watched bars
        bool red[4] = {};     // speed, power, pressure, delivery
        bool operator==(const Seen&) const = default;
    };
    // What moved: a point move (chart, Calculate) tells more than a bar's,
    // and a bar's more than a look that says nothing.
    enum class Move { None, Look, Bar, Point };

    Seen look() const;
    // Looks again once the interaction's events have been handled.
    void afterwards(Move move);
    void announceChanges();
    void say(const QString& text);

    QWidget* window_;
    Figures figures_;
    QList<QAbstractSlider*> bars_;
    Seen seen_;
    Move pending_ = Move::None;
    bool chartHeld_ = false; // a button is down on the chart
    QAbstractSlider* movedBar_ = nullptr;
    QString (*movedPosition_)(int) = nullptr;
    bool movedBarFocused_ = false;
    QObject* notification_ = nullptr; // Qt before 6.8
};

} // namespace ui
