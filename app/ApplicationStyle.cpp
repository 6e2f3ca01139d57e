#include "app/ApplicationStyle.h"

#include "ui/DeferredIcon.h"

#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include <memory>

ApplicationStyle::ApplicationStyle() = default;

QIcon ApplicationStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                     const QWidget* widget) const {
    if (standardIcon != SP_ToolBarHorizontalExtensionButton &&
        standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option and the widget may be gone by the time the icon is drawn: the option is copied, the widget
    // watched.
    std::shared_ptr<QStyleOption> copy = option ? std::make_shared<QStyleOption>(*option) : nullptr;
    const QPointer<const QWidget> watched(widget);
    const QPointer<const ApplicationStyle> self(this);
    return deferredIcon([self, standardIcon, copy, watched] {
        return self ? self->QProxyStyle::standardIcon(standardIcon, copy.get(), watched.data()) : QIcon();
    });
}
