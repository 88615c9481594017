// SPDX-License-Identifier: MIT
#include "plainwindow.h"

#include "ui/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>

namespace bench {

PlainChart::PlainChart(QWidget* parent) : QFrame(parent), picture_(QStringLiteral(":/chart.bmp"))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void PlainChart::setColumn(int x)
{
    column_ = x;
    update();
}

void PlainChart::setRow(int y)
{
    row_ = y;
    update();
}

void PlainChart::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect inner = contentsRect();
    p.setClipRect(inner);
    p.translate(inner.topLeft());
    p.drawImage(0, 0, picture_);
    const QColor pink(255, 192, 192);
    p.fillRect(QRect(column_, 0, 1, inner.height()), pink);
    p.fillRect(QRect(0, row_, inner.width(), 1), pink);
    p.setPen(pink);
    p.drawRect(QRect(column_ - 4, row_ - 4, 8, 8));
}

void PlainChart::mousePressEvent(QMouseEvent* event)
{
    mouseMoveEvent(event);
}

void PlainChart::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::RightButton))
        return;
    const QPointF at = event->position() - QPointF(contentsRect().topLeft());
    emit dragged(int(std::floor(at.x())), int(std::floor(at.y())));
}

PlainWindow::PlainWindow()
{
    setFont(ui::defaultFont());
    resize(687, 317);
    chart_ = new PlainChart(this);
    chart_->setGeometry(32, 24, 407, 227);
    v_ = new QScrollBar(Qt::Vertical, this);
    v_->setGeometry(448, 8, 17, 257);
    h_ = new QScrollBar(Qt::Horizontal, this);
    h_->setGeometry(16, 272, 441, 17);
    for (QScrollBar* bar : {h_, v_}) {
        bar->setRange(0, 450);
        bar->setPageStep(1);
    }

    auto caption = [this](const char* text, int x, int y, int w, int h) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setGeometry(x, y, w, h);
        label->setFont(ui::captionFont());
    };
    auto box = [this](int x, int y, int h) {
        auto* label = new QLabel(this);
        label->setGeometry(x, y, 49, h);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(2);
        label->setAutoFillBackground(true);
        label->setBackgroundRole(QPalette::Base);
        return label;
    };
    auto edit = [this](int x, int y) {
        auto* e = new QLineEdit(this);
        e->setGeometry(x, y, 49, 19);
        return e;
    };
    auto button = [this](const char* text, int x, int y, int w) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setGeometry(x, y, w, 25);
        b->setFont(ui::captionFont());
    };
    caption(" PK (kW) :", 488, 16, 65, 17);
    text1_ = edit(576, 16);
    caption("nHR (1/min) :", 488, 40, 81, 17);
    label4_ = box(576, 40, 19);
    caption("dif. P (bar) :", 488, 64, 81, 17);
    text2_ = edit(576, 64);
    caption("Q1 (m3/min) :", 488, 104, 81, 17);
    label20_ = box(576, 104, 20);
    label20_->setFont(ui::captionFont());
    auto* band = new QLabel(QStringLiteral("@ 7 bar"), this);
    band->setGeometry(632, 106, 49, 17);
    button("Calculate ", 488, 136, 89);
    button("Air End", 592, 136, 73);
    caption("Motor RPM :", 488, 184, 73, 17);
    edit(576, 184);
    caption("Motor Pulley :", 488, 208, 81, 17);
    edit(576, 208);
    caption("AirEnd Pulley :", 488, 232, 89, 17);
    edit(576, 232);
    button("Calculate", 488, 264, 89);
    button("Close", 592, 264, 73);
    auto* title = new QLabel(QStringLiteral("KRTd258 air end performance chart"), this);
    title->setGeometry(24, 296, 177, 17);
    const struct {
        const char* text;
        int x, y, w, h;
    } axis[] = {{"75", 11, 19, 17, 17},     {"55", 11, 80, 17, 17},     {"45", 11, 108, 17, 17},
                {"37", 11, 133, 17, 17},    {"30", 11, 152, 17, 17},    {"22", 11, 177, 17, 17},
                {"15", 11, 199, 17, 17},    {"1500", 16, 252, 41, 15},  {"3000", 147, 252, 41, 15},
                {"4000", 236, 252, 41, 15}, {"5000", 328, 252, 41, 15}, {"5700", 392, 252, 41, 15}};
    for (const auto& a : axis)
        (new QLabel(QString::fromLatin1(a.text), this))->setGeometry(a.x, a.y, a.w, a.h);

    connect(chart_, &PlainChart::dragged, this, [this](int x, int y) {
        if (x >= 0 && x <= 404)
            h_->setValue(int(std::lround((x + 1) * 450.0 / 405.0)));
        if (y >= 0 && y <= 224)
            v_->setValue((y + 1) * 2);
    });
    connect(h_, &QScrollBar::valueChanged, this, &PlainWindow::horizontalChanged);
    connect(v_, &QScrollBar::valueChanged, this, &PlainWindow::verticalChanged);
}

void PlainWindow::horizontalChanged(int h)
{
    chart_->setColumn(int(h * 405.0 / 450.0) - 1);
    label4_->setText(QString::number(1500 + 10 * h));
    label20_->setText(QString::number(2.5 + h / 100.0, 'f', 1));
}

void PlainWindow::verticalChanged(int v)
{
    chart_->setRow(v / 2 - 1);
    text1_->setText(QString::number((226 - v / 2) / 3.0, 'f', 1));
    text2_->setText(QString::number(4 + v / 50.0, 'f', 1));
}

} // namespace bench
