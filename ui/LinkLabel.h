#pragma once

#include "ui/BoldLabel.h"

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

// A label that acts as a web link: a click (a press and release of the left button over it), or Enter or
// Space while it has the keyboard focus, runs onClick. Tab reaches it, and a focus rectangle shows it has the
// focus.
class TLinkLabel : public BoldLabel {
    Q_OBJECT

public:
    explicit TLinkLabel(QWidget* parent);

    std::function<void()> onClick;

    // Opens the link as a click does.
    void activate();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
};
