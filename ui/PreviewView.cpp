#include "PreviewView.h"

#include "PreviewGeometry.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {
QImage blank(QSize size, double ratio) {
    QImage image(QSize(static_cast<int>(std::ceil(size.width() * ratio)),
                       static_cast<int>(std::ceil(size.height() * ratio))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}
} // namespace

// The sink reads the new bitmap, so it is filled before the sink is made.
PreviewView::Picture::Picture(QSize size, double ratio)
    : size(size), image(blank(size, ratio)), sink(image), surface(&sink) {}

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {}

PreviewView::~PreviewView() = default;

DrawingSurface& PreviewView::canvas() {
    const double ratio = devicePixelRatioF();
    if (!picture_)
        picture_ = std::make_unique<Picture>(size(), ratio);
    else if (picture_->image.devicePixelRatio() != ratio)
        picture_ = std::make_unique<Picture>(picture_->size, ratio);
    return picture_->surface;
}

double PreviewView::pictureRatio() const {
    return picture_ ? picture_->image.devicePixelRatio() : devicePixelRatioF();
}

QSize PreviewView::pictureSize() const {
    return picture_ ? picture_->image.size() : QSize();
}

const QImage* PreviewView::picture() const {
    return picture_ ? &picture_->image : nullptr;
}

QRect PreviewView::pictureRect() const {
    return picture_ ? previewRect(picture_->size, size()) : QRect();
}

void PreviewView::paintEvent(QPaintEvent*) {
    if (!picture_)
        return;
    QPainter painter(this);
    // Device pixel for device pixel at its own size; reduced, dropping rows and columns, never smoothing: a
    // reduced preview may lose a one-pixel line.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(pictureRect(), picture_->sink.shown());
}
