// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"
#include "pendingupdate.h"

#include <QLineEdit>

namespace rt {

// Single-line text box without a length limit.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_; }
    // The colour is drawn once the handler that set it has finished, so
    // that a figure set black and then red again is not repainted.
    void setForeColor(Long colour);

signals:
    void foreColorChanged(rt::Long colour);

protected:
    void changeEvent(QEvent* event) override;

private:
    void drawForeColor();

    Long foreColor_ = 0;
    bool foreColorSet_ = false; // until then the scheme's text colour
    PendingUpdate pendingColour_;
};

} // namespace rt
