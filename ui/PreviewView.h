#pragma once

#include "platform/RasterSurface.h"
#include "ui/PreviewSink.h"

#include <QImage>
#include <QSize>
#include <QWidget>

#include <memory>

class QPaintEvent;

// The preview control: holds the preview bitmap and shows it centred, never enlarged, with the colour of its
// bottom-left pixel left out so the window's background shows through. On a high-density screen the bitmap
// has the screen's device pixels, so that its lines are one device pixel wide.
class PreviewView : public QWidget {
    Q_OBJECT

public:
    explicit PreviewView(QWidget* parent = nullptr);
    ~PreviewView() override;

    bool hasPicture() const { return static_cast<bool>(picture_); }
    // The bitmap's drawing surface; the bitmap is made with the control's current size on first use, so only
    // ask while the control is not empty. It is made afresh, at the same size, when the screen's device pixel
    // ratio has changed.
    DrawingSurface& canvas();
    // Device pixels per control pixel in the bitmap: 1 on an ordinary screen.
    double pictureRatio() const;
    // The bitmap's size in device pixels; empty before the first canvas().
    QSize pictureSize() const;
    // The bitmap itself; null before the first canvas().
    const QImage* picture() const;
    // Where the bitmap is drawn now, in the control's coordinates; empty without a bitmap.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Picture {
        Picture(QSize size, double ratio);
        QSize size; // in control pixels
        PreviewSink sink;
        RasterSurface surface;
    };

    std::unique_ptr<Picture> picture_;
};
