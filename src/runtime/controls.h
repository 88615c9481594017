#pragma once

#include "numbers.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <functional>
#include <vector>

namespace rt {

// Colours are Long values: blue * 65536 + green * 256 + red.
constexpr Long rgb(int red, int green, int blue)
{
    return Long(blue) * 65536 + Long(green) * 256 + Long(red);
}
QColor toQColor(Long colour);
Long fromQRgb(QRgb rgb);

using Handler = std::function<void()>;

// Scroll bar. Its Value is refused outside 0 to Max; assigning a new value
// runs the Change handler to its end before the assignment returns, and
// assigning the current value raises nothing. The user moves it by exactly
// one step per arrow click, track click, arrow key or wheel notch; Home and
// End go to the ends; a thumb drag raises Change only on release.
class ScrollBar : public QScrollBar {
    Q_OBJECT
    Q_PROPERTY(int Value READ value)
    Q_PROPERTY(int Max READ maximum)
public:
    ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    Integer Max() const { return Integer(maximum()); }
    void setMax(Integer max);
    Integer Value() const { return Integer(value()); }
    // The program's assignment: refuses a value outside 0 to Max, never clamps.
    void setValue(int value);

    Handler Change;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void valueMoved(int value);

    int wheelRemainder_ = 0;
    int lastValue_ = 0; // the value the last Change was raised for
};

// Single-line text box without a length limit.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_; }
    void setForeColor(Long colour);

signals:
    void foreColorChanged(rt::Long colour);

private:
    Long foreColor_ = 0;
};

// Label: a caption that never takes the focus.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_; }
    void setForeColor(Long colour);
    void setBackColor(const QColor& colour);
    void setSunkenBorder();

signals:
    void foreColorChanged(rt::Long colour);

private:
    Long foreColor_ = 0;
};

// Command button with its Click handler; never a default button.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);
    Handler Click;
};

class PictureBox;

// Line drawn inside a picture box, in the picture's pixels. Coordinates are
// Single values and read back exactly as written.
class Line : public QObject {
    Q_OBJECT
    Q_PROPERTY(float X1 READ X1)
    Q_PROPERTY(float Y1 READ Y1)
    Q_PROPERTY(float X2 READ X2)
    Q_PROPERTY(float Y2 READ Y2)
    Q_PROPERTY(bool Visible READ Visible)
public:
    Line(PictureBox* owner, Single x1, Single y1, Single x2, Single y2, Long colour);
    Single X1() const { return x1_; }
    Single Y1() const { return y1_; }
    Single X2() const { return x2_; }
    Single Y2() const { return y2_; }
    bool Visible() const { return visible_; }
    Long BorderColor() const { return colour_; }
    void setX1(Single v);
    void setY1(Single v);
    void setX2(Single v);
    void setY2(Single v);
    void setVisible(bool v);

private:
    void assign(Single& field, Single v); // every change redraws the picture

    PictureBox* owner_;
    Single x1_, y1_, x2_, y2_;
    Long colour_;
    bool visible_ = true;
};

// Rectangle outline drawn inside a picture box, transparent inside.
class Shape : public QObject {
    Q_OBJECT
    Q_PROPERTY(float Left READ Left)
    Q_PROPERTY(float Top READ Top)
    Q_PROPERTY(float Width READ Width)
    Q_PROPERTY(float Height READ Height)
public:
    Shape(PictureBox* owner, Single left, Single top, Single width, Single height, Long colour);
    Single Left() const { return left_; }
    Single Top() const { return top_; }
    Single Width() const { return width_; }
    Single Height() const { return height_; }
    Long BorderColor() const { return colour_; }
    void setLeft(Single v);
    void setTop(Single v);

private:
    PictureBox* owner_;
    Single left_, top_, width_, height_;
    Long colour_;
};

// Picture box: shows its picture at natural size from the inner top-left
// corner and measures in the picture's pixels. A fractional coordinate
// selects the pixel whose unit square holds it, for drawing and for Point.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    enum class Border { Flat, Sunken };
    PictureBox(Border border, QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    // The picture's own colour at (x, y) (never a line's or shape's); -1
    // outside the picture.
    Long Point(Single x, Single y) const;

    Line* addLine(const QString& name, Single x1, Single y1, Single x2, Single y2, Long colour);
    rt::Shape* addShape(const QString& name, Single left, Single top, Single width, Single height, Long colour);

    // Mouse events: Button and Shift as sums (1 left, 2 right, 4 middle;
    // 1 Shift, 2 Ctrl, 4 Alt), X and Y the whole picture pixel under the
    // pointer. Moves keep coming from outside while a button is held.
    std::function<void(Integer button, Integer shift, Single x, Single y)> MouseDown;
    std::function<void(Integer button, Integer shift, Single x, Single y)> MouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void raiseMouse(const std::function<void(Integer, Integer, Single, Single)>& handler, int buttons,
                    QMouseEvent* event);

    QImage picture_;
    std::vector<Line*> lines_;
    std::vector<rt::Shape*> shapes_;
};

} // namespace rt
