#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <random>

class QWidget;
class TMainForm;

// A random user of the main window: presses and releases of any mouse button anywhere on the two lists
// (the empty part below the rows too), arrow keys, Tab, resizes from 1 x 1 to large, minimizing, menu
// commands, print commands, and actions that arrive while a print job is being handed over.
class Monkey {
public:
    Monkey(TMainForm& form, std::mt19937& random) : form_(form), random_(random) {}

    // One action as the user makes it, with what it starts run through; says what it did.
    QString act();
    // An action that may also come in the middle of a print job.
    QString actAnywhere();

private:
    int pick(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    Qt::MouseButton button();
    QPoint somewhere(QWidget* area);

    QString mouseOnList();
    QString key();
    QString resize();
    QString menuCommand();
    QString printDuringWhichTheUserActs();

    TMainForm& form_;
    std::mt19937& random_;
};

// The seed and the number of actions: the given ones, unless the environment names others
// (VORNEL_MONKEY_SEED, VORNEL_MONKEY_ACTIONS).
unsigned monkeySeed(unsigned fallback);
int monkeyActions(int fallback);

// Delivers what the last action left queued: menu commands, posted actions, repaints.
void settle();

// Quiets the notes a monkey sets off by the thousand: events a widget leaves unaccepted, size hints the
// offscreen platform has nowhere to send.
void ignoreUnacceptedEvents();
