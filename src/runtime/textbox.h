// SPDX-License-Identifier: MIT
#pragma once

#include "drawnforecolor.h"
#include "numbers.h"

#include <QLineEdit>

namespace rt {

// Single-line text box without a length limit.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_.value(); }
    void setForeColor(Long color);

signals:
    void foreColorChanged(rt::Long color);

protected:
    void changeEvent(QEvent* event) override;

private:
    DrawnForeColor foreColor_;
};

} // namespace rt
