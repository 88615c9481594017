// SPDX-License-Identifier: MIT
#pragma once

#include "finger.h"
#include "focusring.h"
#include "line.h"
#include "numbers.h"
#include "pendingupdate.h"
#include "shapecontrol.h"

#include <QFrame>
#include <QImage>
#include <QRegion>

class QPainter;
class QTransform;

#include <functional>
#include <vector>

namespace rt {

class DeviceGrid;

// Picture box: shows its picture at natural size from the inner top-left
// corner and measures in the picture's pixels. A fractional coordinate
// selects the pixel whose unit square holds it, for drawing and for Point.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    enum class Border { Flat, Sunken };
    explicit PictureBox(Border border, QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    // The picture's own colour at (x, y) (never a line's or shape's); -1
    // outside the picture.
    Long Point(Single x, Single y) const;

    // Lines and shapes belong to the picture box and are drawn over the
    // picture, the lines first, each kind in the order they were added.
    Line* addLine(const QString& name, Single x1, Single y1, Single x2, Single y2, Long color);
    ShapeControl* addShape(const QString& name, Single left, Single top, Single width, Single height, Long color);

    // A line or shape tells its picture box when a property changes. Once the
    // handler has finished, the pixels it left and those it now covers are
    // repainted; an item that ends as it was shown repaints nothing.
    void itemChanged();

signals:
    // Mouse events (connectHandler()): Button and Shift as sums (1 left,
    // 2 right, 4 middle; 1 Shift, 2 Ctrl, 4 Alt), X and Y the whole picture
    // pixel under the pointer. Moves keep coming from outside while a button
    // is held. On a touch screen a finger is the right button: it presses
    // where it touches and moves as it is dragged.
    void MouseDown(rt::Integer Button, rt::Integer Shift, rt::Single X, rt::Single Y);
    void MouseMove(rt::Integer Button, rt::Integer Shift, rt::Single X, rt::Single Y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A straight run of picture pixels from one end to the other.
    struct Span {
        long long x0, y0, x1, y1;
        bool operator==(const Span&) const = default;
    };
    // What an item puts on the picture: its runs (none when it is hidden or
    // lies far off) in its colour.
    struct Drawing {
        std::vector<Span> spans;
        Long color = 0;
        bool operator==(const Drawing&) const = default;
    };
    static Drawing drawingOf(const Line& line);
    static Drawing drawingOf(const ShapeControl& shape);
    QRegion areaOf(const Drawing& drawing) const;
    void syncItems();

    void paintPiece(QPainter& p, const QRect& piece, const QTransform& toDevice, const DeviceGrid* grid);
    void drawContents(QImage& piece, QPoint origin) const;
    using MouseEvent = void (PictureBox::*)(Integer, Integer, Single, Single);
    void raiseMouse(MouseEvent event, int buttons, QPointF position, QPointF scenePosition, Qt::KeyboardModifiers mods);

    QImage picture_;
    std::vector<Line*> lines_;
    std::vector<ShapeControl*> shapes_;
    // What each line and shape showed when the screen was last brought up
    // to date with it.
    std::vector<Drawing> shownLines_;
    std::vector<Drawing> shownShapes_;
    PendingUpdate pendingItems_;
    FocusRing focusRing_;
    Finger finger_;
};

} // namespace rt
