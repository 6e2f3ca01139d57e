#include "ui/LinkLabel.h"

#include "ui/DottedFocusRect.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

TLinkLabel::TLinkLabel(QWidget* parent) : BoldLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void TLinkLabel::activate() {
    if (onClick)
        onClick();
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        activate();
}

void TLinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Taken here, so that Enter opens the link instead of pressing the dialog's default button.
        event->accept();
        if (!event->isAutoRepeat())
            activate();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void TLinkLabel::paintEvent(QPaintEvent* event) {
    BoldLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    drawDottedFocusRect(&painter, rect(), palette().color(QPalette::WindowText));
}
