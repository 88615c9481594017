// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"

#include <QObject>

namespace rt {

class PictureBox;

// The Shape control: a rectangle outline drawn inside a picture box,
// transparent inside, in the picture's pixels. (Named apart from
// QFrame::Shape, which a picture box inherits.)
class ShapeControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(float Left READ Left)
    Q_PROPERTY(float Top READ Top)
    Q_PROPERTY(float Width READ Width)
    Q_PROPERTY(float Height READ Height)
public:
    ShapeControl(PictureBox* owner, Single left, Single top, Single width, Single height, Long color);
    Single Left() const { return left_; }
    Single Top() const { return top_; }
    Single Width() const { return width_; }
    Single Height() const { return height_; }
    Long BorderColor() const { return color_; }
    void setLeft(Single v);
    void setTop(Single v);

private:
    PictureBox* owner_;
    Single left_, top_, width_, height_;
    Long color_;
};

} // namespace rt
