// SPDX-License-Identifier: MIT
#pragma once

#include "forecolour.h"
#include "numbers.h"

#include <QLabel>

namespace rt {

// Label: a caption that never takes the focus.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_.value(); }
    void setForeColor(Long colour);
    // The background and text colours of a text box, for a label that shows a figure.
    void setBoxColours();
    void setSunkenBorder();

signals:
    void foreColorChanged(rt::Long colour);

protected:
    void changeEvent(QEvent* event) override;

private:
    ForeColour foreColor_;
};

} // namespace rt
