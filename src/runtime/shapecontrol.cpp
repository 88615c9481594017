// SPDX-License-Identifier: MIT
#include "shapecontrol.h"

#include "picturebox.h"

namespace rt {

ShapeControl::ShapeControl(PictureBox* owner, Single left, Single top, Single width, Single height, Long color)
    : QObject(owner), owner_(owner), left_(left), top_(top), width_(width), height_(height), color_(color)
{
}

void ShapeControl::setLeft(Single v)
{
    left_ = v;
    owner_->itemChanged();
}

void ShapeControl::setTop(Single v)
{
    top_ = v;
    owner_->itemChanged();
}

} // namespace rt
