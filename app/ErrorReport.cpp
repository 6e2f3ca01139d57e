#include "app/ErrorReport.h"

#include "ui/FixedFrame.h"
#include "ui/OnScreen.h"
#include "ui/ProductConstants.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace ErrorReport {
namespace {

QString ownMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return {};
    }
}

std::exception_ptr innerOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::nested_exception& nested) {
        return nested.nested_ptr();
    } catch (...) {
        return nullptr;
    }
}

void showBox(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    giveFixedFrame(box);
    execOnScreen(box);
}

Presenter& presenter() {
    static Presenter p = showBox;
    return p;
}

} // namespace

QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString messageText(const std::exception_ptr& error) {
    QString text = ownMessage(error);
    for (std::exception_ptr inner = innerOf(error); inner; inner = innerOf(inner)) {
        const QString innerText = ownMessage(inner);
        if (!innerText.isEmpty())
            text = innerText;
    }
    return withFullStop(text);
}

void show(const std::exception_ptr& error) {
    // A pressed button or a drag must not outlive the error.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    presenter()(messageText(error), ProductConstants::ApplicationTitle());
}

void guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        show(std::current_exception());
    }
}

void setPresenter(Presenter p) {
    presenter() = p ? std::move(p) : Presenter(showBox);
}

} // namespace ErrorReport
