// SPDX-License-Identifier: MIT
#pragma once

#include "forecolour.h"
#include "numbers.h"

#include <QLineEdit>

namespace rt {

// Single-line text box without a length limit.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_.value(); }
    void setForeColor(Long colour);

signals:
    void foreColorChanged(rt::Long colour);

protected:
    void changeEvent(QEvent* event) override;

private:
    ForeColour foreColor_;
};

} // namespace rt
