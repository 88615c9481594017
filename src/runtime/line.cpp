// SPDX-License-Identifier: MIT
#include "line.h"

#include "picturebox.h"

namespace rt {

Line::Line(PictureBox* owner, Single x1, Single y1, Single x2, Single y2, Long color)
    : QObject(owner), owner_(owner), x1_(x1), y1_(y1), x2_(x2), y2_(y2), color_(color)
{
}

void Line::setX1(Single v)
{
    assign(x1_, v);
}
void Line::setY1(Single v)
{
    assign(y1_, v);
}
void Line::setX2(Single v)
{
    assign(x2_, v);
}
void Line::setY2(Single v)
{
    assign(y2_, v);
}

void Line::setVisible(bool v)
{
    visible_ = v;
    owner_->itemChanged();
}

void Line::assign(Single& field, Single v)
{
    field = v;
    owner_->itemChanged();
}

} // namespace rt
