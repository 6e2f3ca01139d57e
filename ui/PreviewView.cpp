#include "PreviewView.h"

#include "PreviewGeometry.h"

#include <QPaintEvent>
#include <QPainter>

PreviewView::Picture::Picture(QSize size) : image(size, QImage::Format_RGB32), sink(image), surface(&sink) {
    image.fill(Qt::white);
}

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {}

PreviewView::~PreviewView() = default;

DrawingSurface& PreviewView::canvas() {
    if (!picture_)
        picture_ = std::make_unique<Picture>(size());
    shownStale_ = true;
    return picture_->surface;
}

const QImage* PreviewView::picture() const {
    return picture_ ? &picture_->image : nullptr;
}

QRect PreviewView::pictureRect() const {
    return picture_ ? previewRect(picture_->image.size(), size()) : QRect();
}

void PreviewView::refreshShown() {
    const QImage& image = picture_->image;
    if (shown_.size() != image.size())
        shown_ = QImage(image.size(), QImage::Format_ARGB32_Premultiplied);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(shown_.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            to[x] = from[x] == transparent ? 0u : from[x];
    }
    shownStale_ = false;
}

void PreviewView::paintEvent(QPaintEvent*) {
    if (!picture_)
        return;
    if (shownStale_)
        refreshShown();
    QPainter painter(this);
    // Dropping rows and columns, never smoothing: a reduced preview may lose a one-pixel line.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(pictureRect(), shown_);
}
