// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"

#include <QObject>

namespace rt {

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
    Line(PictureBox* owner, Single x1, Single y1, Single x2, Single y2, Long color);
    Single X1() const { return x1_; }
    Single Y1() const { return y1_; }
    Single X2() const { return x2_; }
    Single Y2() const { return y2_; }
    bool Visible() const { return visible_; }
    Long BorderColor() const { return color_; }
    void setX1(Single v);
    void setY1(Single v);
    void setX2(Single v);
    void setY2(Single v);
    void setVisible(bool v);

private:
    void assign(Single& field, Single v); // every change tells the picture box

    PictureBox* owner_;
    Single x1_, y1_, x2_, y2_;
    Long color_;
    bool visible_ = true;
};

} // namespace rt
