// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <QImage>
#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace bench {

// The chart drawn the plain way: the picture and a cross-hair painted in one
// paintEvent, the whole widget updated whenever the cross-hair moves.
class PlainChart : public QFrame {
    Q_OBJECT
public:
    explicit PlainChart(QWidget* parent);
    void setColumn(int x);
    void setRow(int y);

signals:
    void dragged(int x, int y); // the picture pixel under a right-button drag

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    int column_ = -1;
    int row_ = -1;
};

// A window with the chart window's widgets at the same places, built from
// plain Qt widgets, whose handlers only do the obvious: a drag sets both
// scroll bars, and each bar moves its line and writes its figures.
class PlainWindow : public QWidget {
    Q_OBJECT
public:
    PlainWindow();
    PlainChart* chart() const { return chart_; }

private:
    void horizontalChanged(int h);
    void verticalChanged(int v);

    PlainChart* chart_;
    QScrollBar* h_;
    QScrollBar* v_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLabel* label4_;
    QLabel* label20_;
};

} // namespace bench
