#include "app/ErrorReport.h"
#include "app/TApplication.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <exception>
#include <stdexcept>

namespace {

std::exception_ptr errorWith(const char* message) {
    return std::make_exception_ptr(std::runtime_error(message));
}

TEST(ErrorReport, AFullStopFollowsAMessageWhoseLastCharacterComesAfterTheDot) {
    struct Case {
        const char* message;
        const char* shown;
    } cases[] = {
        {"There is no default printer currently selected", "There is no default printer currently selected."},
        {"Already ends.", "Already ends."},
        {"Exclaims!", "Exclaims!"},
        {"In brackets (x)", "In brackets (x)"},
        {"Trailing space ", "Trailing space "},
        {"Digit 5", "Digit 5."},
        {"Colon:", "Colon:."},
        {"Question?", "Question?."},
        {"Slash/", "Slash/."}, // '/' comes right after '.'
        {"Comma,", "Comma,"},  // ',' comes before it
        {"Нет принтера", "Нет принтера."},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ErrorReport::messageText(errorWith(c.message)), QString::fromUtf8(c.shown));
    }
}

TEST(ErrorReport, TheInnermostNonEmptyMessageIsShown) {
    auto nested = [](const char* outer, const char* middle, const char* inner) {
        try {
            try {
                try {
                    throw std::runtime_error(inner);
                } catch (...) {
                    std::throw_with_nested(std::runtime_error(middle));
                }
            } catch (...) {
                std::throw_with_nested(std::runtime_error(outer));
            }
        } catch (...) {
            return std::current_exception();
        }
        return std::exception_ptr();
    };
    EXPECT_EQ(ErrorReport::messageText(nested("outer", "middle", "inner")), QStringLiteral("inner."));
    EXPECT_EQ(ErrorReport::messageText(nested("outer", "middle", "")), QStringLiteral("middle."));
    EXPECT_EQ(ErrorReport::messageText(std::make_exception_ptr(42)), QString());
}

// A widget whose handler of the program's own events fails. (Mouse handlers hand their errors on to the event
// loop first: unwinding through the toolkit's mouse delivery would leak its event copies.)
class FailingWidget : public QWidget {
public:
    static constexpr QEvent::Type Command = QEvent::User;

protected:
    void customEvent(QEvent*) override { throw EPrinter("Printer selected is not valid"); }
};

TEST(ErrorReport, AnErrorFromAnEventHandlerReachesAModalBoxAndTheProgramGoesOn) {
    FailingWidget widget;
    widget.resize(100, 100);
    widget.show();

    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool wasModal = false;
    // The box is modal: look at it from inside its own event loop, then press its OK button.
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        buttons = box->buttons().size();
        wasModal = box->isModal();
        box->button(QMessageBox::Ok)->click();
    });
    QCoreApplication::postEvent(&widget, new QEvent(FailingWidget::Command));
    QCoreApplication::processEvents();

    EXPECT_EQ(text, QStringLiteral("Printer selected is not valid."));
    EXPECT_EQ(caption, QStringLiteral("Ворнель"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Still running: the next event is delivered as usual.
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST(ErrorReport, GuardReportsAndReturns) {
    QStringList shown;
    ErrorReport::setPresenter([&](const QString& t, const QString& c) { shown << c + ": " + t; });
    ErrorReport::guard([] { throw EZeroDivide(); });
    ErrorReport::guard([] {});
    ErrorReport::setPresenter({});
    EXPECT_EQ(shown, QStringList{QStringLiteral("Ворнель: Floating point division by zero.")});
}

TEST(ErrorReport, AMouseGrabEndsBeforeTheBoxShows) {
    QWidget widget;
    widget.show();
    widget.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &widget);
    QWidget* grabberWhileShown = &widget;
    ErrorReport::setPresenter(
        [&](const QString&, const QString&) { grabberWhileShown = QWidget::mouseGrabber(); });
    ErrorReport::show(errorWith("x"));
    ErrorReport::setPresenter({});
    EXPECT_EQ(grabberWhileShown, nullptr);
}

} // namespace
