#include "ModalDismisser.h"

#include "ui/DlgAbout.h"
#include "ui/LinkLabel.h"
#include "ui/PasswordDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {
// A window that ignores this many tries to close it is stuck.
constexpr int MaxAttempts = 50;
} // namespace

ModalDismisser::ModalDismisser(unsigned seed) : random_(seed) {
    timer_.setInterval(2);
    connect(&timer_, &QTimer::timeout, this, &ModalDismisser::dismiss);
    timer_.start();
}

void ModalDismisser::dismiss() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        current_ = nullptr;
        return;
    }
    if (modal != current_) {
        current_ = modal;
        attempts_ = 0;
    } else if (++attempts_ > MaxAttempts) {
        problems << QStringLiteral("a modal window that would not close: ") +
                        modal->metaObject()->className();
        modal->hide();
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        return closeBox(*box);
    if (auto* about = qobject_cast<TFormAbout*>(modal))
        return closeAbout(*about);
    if (auto* password = dynamic_cast<TPasswordDialog*>(modal); password && !rightPassword.isEmpty())
        return answerPassword(*password);
    problems << QStringLiteral("an unexpected modal window: ") + modal->metaObject()->className();
    modal->close();
}

void ModalDismisser::closeBox(QMessageBox& box) {
    if (attempts_ == 0) {
        boxTexts << box.text();
        if (onBox)
            onBox(box.text());
    }
    switch (std::uniform_int_distribution(0, 3)(random_)) {
    case 0:
        box.button(QMessageBox::Ok)->click();
        break;
    case 1:
        QTest::keyClick(&box, Qt::Key_Return);
        break;
    case 2:
        QTest::keyClick(&box, Qt::Key_Escape);
        break;
    default:
        box.close();
        break;
    }
}

void ModalDismisser::closeAbout(TFormAbout& about) {
    if (attempts_ == 0) {
        ++aboutsClosed;
        // A look around first, now and then.
        switch (std::uniform_int_distribution(0, 5)(random_)) {
        case 0:
            QTest::mouseClick(about.SiteLabel, Qt::LeftButton);
            break;
        case 1:
            QTest::mouseClick(about.SupportLabel, Qt::LeftButton);
            break;
        case 2:
            QTest::keyClick(&about, Qt::Key_Tab);
            break;
        default:
            break;
        }
    }
    switch (std::uniform_int_distribution(0, 3)(random_)) {
    case 0:
        about.CloseButton->click();
        break;
    case 1:
        QTest::keyClick(&about, Qt::Key_Return);
        break;
    case 2:
        QTest::keyClick(&about, Qt::Key_Escape);
        break;
    default:
        about.close();
        break;
    }
}

void ModalDismisser::answerPassword(TPasswordDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("EditPassword"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    if (attempts_ > 0) {
        // Answered already and still up: a second answer would count twice.
        return;
    }
    const int choice = std::uniform_int_distribution(0, 7)(random_);
    if (choice < 3) {
        ++passwordsCancelled;
        switch (choice) {
        case 0:
            buttons->button(QDialogButtonBox::Cancel)->click();
            break;
        case 1:
            QTest::keyClick(edit, Qt::Key_Escape);
            break;
        default:
            dialog.close();
            break;
        }
        return;
    }
    const bool right = choice >= 5;
    ++(right ? passwordsRight : passwordsWrong);
    QTest::keyClicks(edit, right ? rightPassword : QStringLiteral("wrong-%1").arg(choice));
    if (choice % 2)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        buttons->button(QDialogButtonBox::Ok)->click();
}
