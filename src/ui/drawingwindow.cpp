// SPDX-License-Identifier: MIT
#include "drawingwindow.h"

#include "accessibility.h"
#include "fonts.h"
#include "pictures.h"
#include "scalefollower.h"

namespace ui {

DrawingWindow::DrawingWindow()
{
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral(" KRTd258"));
    setWindowIcon(programIcon());
    setFont(defaultFont());
    resize(580, 481);
    new ScaleFollower(this);
    Picture1 = new rt::PictureBox(rt::PictureBox::Border::Sunken, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(8, 8, 564, 455);
    Picture1->setPicture(builtInPicture("drawing.bmp"));
    describeDrawingWindow(Picture1);
}

void DrawingWindow::showAgain()
{
    if (!isVisible())
        resize(580, 481); // closed windows come back as laid out
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

} // namespace ui
