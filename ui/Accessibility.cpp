#include "ui/Accessibility.h"

#include "ui/LinkLabel.h"
#include "ui/PreviewView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStringList>

namespace {

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(TLinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return link()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction())
            link()->activate();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction())
            return {QStringLiteral("Return"), QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    TLinkLabel* link() const { return static_cast<TLinkLabel*>(widget()); }
};

QAccessibleInterface* programControls(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("TLinkLabel"))
        return new LinkAccessible(static_cast<TLinkLabel*>(object));
    if (className == QLatin1String("PreviewView"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

void registerAccessibleControls() {
    static const bool registered = [] {
        QAccessible::installFactory(programControls);
        return true;
    }();
    (void)registered;
}
