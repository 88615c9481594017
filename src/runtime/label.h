// SPDX-License-Identifier: MIT
#pragma once

#include "numbers.h"
#include "pendingupdate.h"

#include <QLabel>

namespace rt {

// Label: a caption that never takes the focus.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_; }
    // The colour is drawn once the handler that set it has finished, so
    // that a figure set black and then red again is not repainted.
    void setForeColor(Long colour);
    // The background and text colours of a text box, for a label that shows a figure.
    void setBoxColours();
    void setSunkenBorder();

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
