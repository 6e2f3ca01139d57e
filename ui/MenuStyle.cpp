#include "ui/MenuStyle.h"

MenuStyle::MenuStyle() = default;

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_SmallIconSize)
        return ImageSize;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
