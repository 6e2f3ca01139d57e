#pragma once

#include <QLabel>

#include <functional>

class QMouseEvent;

// A label that acts as a web link: a click, a press and release of the left button over it, runs onClick.
class TLinkLabel : public QLabel {
public:
    explicit TLinkLabel(QWidget* parent);

    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
