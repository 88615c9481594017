// SPDX-License-Identifier: MIT
#pragma once

#include "drawnforecolor.h"
#include "numbers.h"

#include <QLabel>

namespace rt {

// Label: a caption that never takes the focus.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    Long ForeColor() const { return foreColor_.value(); }
    void setForeColor(Long color);
    // The background and text colours of a text box, for a label that shows a figure.
    void setBoxColors();
    void setSunkenBorder();

signals:
    void foreColorChanged(rt::Long color);

protected:
    void changeEvent(QEvent* event) override;

private:
    DrawnForeColor foreColor_;
};

} // namespace rt
