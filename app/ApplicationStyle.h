#pragma once

#include <QProxyStyle>

// The application's style: the platform's own, except that the icons of the overflow buttons of menu bars
// and tool bars are made when first drawn. The menu bar asks for one in its constructor, for a button that
// seldom shows; made at once, it had the image reader load every image plugin on the way to the first
// window.
class ApplicationStyle : public QProxyStyle {
public:
    ApplicationStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
