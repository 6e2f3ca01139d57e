#include "Monkey.h"

#include "ui/ListBox.h"
#include "ui/Main.h"
#include "ui/PrintButton.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>

namespace {

const Qt::Key MovingKeys[] = {Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right, Qt::Key_Home,
                              Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Return,
                              Qt::Key_Escape, Qt::Key_Tab,    Qt::Key_Backtab};

QString where(QPoint p) {
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

} // namespace

Qt::MouseButton Monkey::button() {
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    return buttons[pick(0, 3)];
}

QPoint Monkey::somewhere(QWidget* area) {
    // Mostly inside, the empty part below the rows included; now and then just off the edge.
    const int w = std::max(area->width(), 1);
    const int h = std::max(area->height(), 1);
    if (chance(0.1))
        return {pick(-4, w + 4), pick(-4, h + 4)};
    return {pick(0, w - 1), pick(0, h - 1)};
}

QString Monkey::mouseOnList() {
    const bool printers = chance(0.5);
    TListBox* list = printers ? form_.ListBoxPrinters : form_.ListBoxTemplates;
    QWidget* area = list->viewport();
    const QString name = printers ? QStringLiteral("printers") : QStringLiteral("templates");
    const Qt::MouseButton b = button();
    QPoint at = somewhere(area);
    // On a row half the time, since rows are where most clicks go.
    if (list->count() > 0 && chance(0.5)) {
        const QRect row = list->visualItemRect(list->item(pick(0, list->count() - 1)));
        if (!row.isEmpty())
            at = row.center();
    }
    switch (pick(0, 2)) {
    case 0:
        QTest::mousePress(area, b, Qt::NoModifier, at);
        return QStringLiteral("press %1 on %2 at %3").arg(b).arg(name, where(at));
    case 1:
        QTest::mouseRelease(area, b, Qt::NoModifier, at);
        return QStringLiteral("release %1 on %2 at %3").arg(b).arg(name, where(at));
    default:
        QTest::mouseClick(area, b, Qt::NoModifier, at);
        return QStringLiteral("click %1 on %2 at %3").arg(b).arg(name, where(at));
    }
}

QString Monkey::key() {
    const Qt::Key k = MovingKeys[pick(0, std::size(MovingKeys) - 1)];
    QWidget* target = form_.focusWidget() ? form_.focusWidget() : &form_;
    const Qt::KeyboardModifiers modifiers = chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier;
    QTest::keyClick(target, k, modifiers);
    return QStringLiteral("key %1 (modifiers %2) on %3")
        .arg(k, 0, 16)
        .arg(modifiers.toInt(), 0, 16)
        .arg(QString::fromLatin1(target->metaObject()->className()));
}

QString Monkey::resize() {
    if (form_.isMinimized() || chance(0.1)) {
        const int how = pick(0, 2);
        if (how == 0)
            form_.showMinimized();
        else if (how == 1)
            form_.showNormal();
        else
            form_.showMaximized();
        return QStringLiteral("window state %1").arg(how);
    }
    QSize size;
    switch (pick(0, 4)) {
    case 0:
        size = {1, 1};
        break;
    case 1:
        size = {pick(1, 60), pick(1, 60)};
        break;
    case 2:
        size = {pick(200, 400), pick(200, 320)};
        break;
    case 3:
        size = {pick(400, 1200), pick(300, 900)};
        break;
    default:
        size = {pick(1200, 2600), pick(900, 1800)};
        break;
    }
    form_.resize(size);
    return QStringLiteral("resize to %1 x %2").arg(size.width()).arg(size.height());
}

QString Monkey::menuCommand() {
    switch (pick(0, 4)) {
    case 0:
    case 1:
        form_.MenuPrint->trigger();
        return QStringLiteral("File > Print");
    case 2:
        form_.MenuSite->trigger();
        return QStringLiteral("Help > Site");
    case 3:
        form_.MenuSupport->trigger();
        return QStringLiteral("Help > Support");
    default:
        form_.MenuAbout->trigger();
        return QStringLiteral("Help > About");
    }
}

QString Monkey::printDuringWhichTheUserActs() {
    // Queued now, handled while the job is handed over, when the job gets that far.
    const int count = pick(1, 3);
    for (int i = 0; i < count; ++i)
        QMetaObject::invokeMethod(
            &form_, [this] { actAnywhere(); }, Qt::QueuedConnection);
    QTest::mouseClick(form_.BtnPrint, Qt::LeftButton);
    return QStringLiteral("print with %1 actions queued").arg(count);
}

QString Monkey::actAnywhere() {
    const int roll = pick(0, 99);
    if (roll < 40)
        return mouseOnList();
    if (roll < 60)
        return key();
    if (roll < 72)
        return resize();
    if (roll < 88)
        return menuCommand();
    QTest::mouseClick(form_.BtnPrint, Qt::LeftButton);
    return QStringLiteral("print button");
}

QString Monkey::act() {
    // The only thing to do with a minimized window is to bring it back.
    if (form_.isMinimized())
        return resize();
    const int roll = pick(0, 99);
    if (roll < 6)
        return printDuringWhichTheUserActs();
    if (roll < 9) {
        // A press on the button that is let go elsewhere prints nothing.
        QTest::mousePress(form_.BtnPrint, Qt::LeftButton);
        QTest::mouseRelease(form_.BtnPrint, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
        return QStringLiteral("print button pressed and let go outside");
    }
    return actAnywhere();
}

unsigned monkeySeed(unsigned fallback) {
    bool ok = false;
    const unsigned seed = qEnvironmentVariable("VORNEL_MONKEY_SEED").toUInt(&ok);
    return ok ? seed : fallback;
}

int monkeyActions(int fallback) {
    bool ok = false;
    const int count = qEnvironmentVariable("VORNEL_MONKEY_ACTIONS").toInt(&ok);
    return ok && count > 0 ? count : fallback;
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

namespace {
QtMessageHandler previousHandler = nullptr;

void dropUnaccepted(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // The offscreen platform has no window manager to hint sizes to.
    if (type == QtWarningMsg && (message.endsWith(QStringLiteral("not accepted by receiving widget")) ||
                                 message.endsWith(QStringLiteral("does not support propagateSizeHints()"))))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

void ignoreUnacceptedEvents() {
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(dropUnaccepted);
}
