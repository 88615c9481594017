// SPDX-License-Identifier: MIT
#include "style.h"

#include <QStyleFactory>

namespace rt {

FormStyle::FormStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int FormStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_ScrollBar_LeftClickAbsolutePosition:
    case SH_ScrollBar_MiddleClickAbsolutePosition:
    case SH_ScrollBar_Transient:
    case SH_ScrollBar_ContextMenu:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

} // namespace rt
