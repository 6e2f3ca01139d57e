#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <random>

class QMessageBox;
class QWidget;
class TFormAbout;
class TPasswordDialog;

// Closes every modal window soon after it comes up, as a user would: the error box with OK, Enter, Esc or
// its close box; the About box with its Close button, Enter, Esc or its close box, now and then after a
// click on a link or a Tab. Runs from a timer, so only inside the modal loops (and event processing) of
// the code under test.
class ModalDismisser : public QObject {
public:
    // A generator of its own: how often the timer fires depends on the clock, and must not change the
    // monkey's own sequence.
    explicit ModalDismisser(unsigned seed);

    // The texts of the error boxes closed so far.
    QStringList boxTexts;
    int aboutsClosed = 0;
    // Modal windows of any other kind, or that would not close.
    QStringList problems;
    // Called with each error box's text while the box is up.
    std::function<void(const QString&)> onBox;

    // The print server's password dialog is answered at random when this names the right password: with
    // it, with a wrong one, or cancelled; otherwise the dialog is a problem.
    QString rightPassword;
    int passwordsRight = 0;
    int passwordsWrong = 0;
    int passwordsCancelled = 0;

private:
    void dismiss();
    void closeBox(QMessageBox& box);
    void closeAbout(TFormAbout& about);
    void answerPassword(TPasswordDialog& dialog);

    std::mt19937 random_;
    QTimer timer_;
    // Cleared when the window goes, so that the next one is new even at the same address.
    QPointer<QWidget> current_;
    int attempts_ = 0;
};
