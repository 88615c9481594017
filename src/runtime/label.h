// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"

#include <QLabel>

namespace rt {

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

} // namespace rt
