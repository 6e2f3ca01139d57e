#include "ui/WindowPlacement.h"

#include <QRect>
#include <QScreen>
#include <QSize>
#include <QStyle>
#include <QWidget>

#include <algorithm>

void placeOnScreen(QWidget& window, const QSize& clientSize) {
    const QRect area = window.screen()->availableGeometry();
    // Never larger than the screen: what went past its edges (the lists, the print button) could not be
    // reached. The contents shrink as they do on any resize.
    const QSize size = clientSize.boundedTo(area.size());
    const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area);
    if (size == clientSize && area.contains(centred)) {
        window.setGeometry(centred);
        return;
    }
    // A move places the frame, not the client area, so the title bar lands on the screen too.
    window.resize(size);
    window.move(std::max(area.left(), centred.left()), std::max(area.top(), centred.top()));
}
