#include "ui/PictureView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QRegion>

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void TPictureView::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

QPoint TPictureView::pictureOrigin(QSize view, QSize picture) {
    // C++ division truncates toward zero, which is the rule for a picture larger than the view too.
    return {(view.width() - picture.width()) / 2, (view.height() - picture.height()) / 2};
}

void TPictureView::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const QSize bufferSize = size() * ratio;
    if (buffer_.size() != bufferSize) {
        buffer_ = QImage(bufferSize, QImage::Format_RGB32);
        buffer_.setDevicePixelRatio(ratio);
    }

    {
        QPainter painter(&buffer_);
        // A picture drawn for a denser screen covers its size in the view's own units.
        const QSize pictureSize = picture_.deviceIndependentSize().toSize();
        const QRect pictureRect(pictureOrigin(size(), pictureSize), pictureSize);
        const QRegion uncovered = QRegion(rect()) - QRegion(pictureRect);
        for (const QRect& margin : uncovered)
            painter.fillRect(margin, palette().color(backgroundRole()));
        painter.drawImage(pictureRect.topLeft(), picture_);
    }

    QPainter screen(this);
    screen.drawImage(event->rect(), buffer_,
                     QRectF(event->rect().topLeft() * ratio, event->rect().size() * ratio));
}
