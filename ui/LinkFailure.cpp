#include "ui/LinkFailure.h"

#include "ui/FixedFrame.h"
#include "ui/OnScreen.h"
#include "ui/ProductConstants.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

QString linkNotOpenedText(const QString& url) {
    return QCoreApplication::translate("LinkFailure",
                                       "Не удалось открыть ссылку: не найден браузер или он не запустился.\n"
                                       "Скопируйте адрес и откройте его вручную:\n%1")
        .arg(url);
}

void tellLinkNotOpened(QWidget* window, const QString& url) {
    QMessageBox box(QMessageBox::Warning, ProductConstants::ApplicationTitle(), linkNotOpenedText(url),
                    QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("LinkNotOpened"));
    giveFixedFrame(box);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    execOnScreen(box);
}
