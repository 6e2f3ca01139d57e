#include "PreviewView.h"

#include "PreviewGeometry.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
QImage blank(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
} // namespace

// The sink reads the new bitmap, so it is filled before the sink is made.
PreviewView::Picture::Picture(QSize size) : image(blank(size)), sink(image), surface(&sink) {}

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {}

PreviewView::~PreviewView() = default;

DrawingSurface& PreviewView::canvas() {
    if (!picture_)
        picture_ = std::make_unique<Picture>(size());
    return picture_->surface;
}

const QImage* PreviewView::picture() const {
    return picture_ ? &picture_->image : nullptr;
}

QRect PreviewView::pictureRect() const {
    return picture_ ? previewRect(picture_->image.size(), size()) : QRect();
}

void PreviewView::paintEvent(QPaintEvent*) {
    if (!picture_)
        return;
    QPainter painter(this);
    // Dropping rows and columns, never smoothing: a reduced preview may lose a one-pixel line.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(pictureRect(), picture_->sink.shown());
}
