#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

class QPaintEvent;

// Shows a picture one to one, centred, and holds child controls drawn over it; a picture marked for a denser
// screen covers its size in the view's units. Every repaint goes through a buffer of its own and the view
// never erases its background, so the picture does not flicker.
class TPictureView : public QWidget {
public:
    explicit TPictureView(QWidget* parent);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    // Where the picture's top-left pixel lands in a view of that size; the odd pixel of a margin or a cut
    // goes to the right and bottom.
    static QPoint pictureOrigin(QSize view, QSize picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QImage buffer_;
};
