// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

namespace rt {

// The style the program draws with: Fusion, with the scroll-bar behaviour of
// the form runtime whatever the platform theme says (a click in the track and
// a middle click step by one instead of jumping; no overlay scroll bars).
class FormStyle : public QProxyStyle {
    Q_OBJECT
public:
    FormStyle();
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace rt
