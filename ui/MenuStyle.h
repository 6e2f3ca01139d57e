#pragma once

#include <QProxyStyle>

// The menus' style: the application's, except that menu images are drawn at 24 × 24 instead of the small
// icon size of 16 that the stock styles use.
class MenuStyle : public QProxyStyle {
public:
    static constexpr int ImageSize = 24;

    MenuStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
