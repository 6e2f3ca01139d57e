#include "ui/WindowPlacement.h"

#include <QRect>
#include <QScreen>
#include <QSize>
#include <QStyle>
#include <QWidget>

#include <algorithm>

void placeOnScreen(QWidget& window, const QSize& clientSize) {
    const QRect area = window.screen()->availableGeometry();
    const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, clientSize, area);
    if (area.contains(centred)) {
        window.setGeometry(centred);
        return;
    }
    // A move places the frame, not the client area, so the title bar lands on the screen too.
    window.resize(clientSize);
    window.move(std::max(area.left(), centred.left()), std::max(area.top(), centred.top()));
}
