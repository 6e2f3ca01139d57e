#include "ui/PrintButton.h"

#include "ui/DottedFocusRect.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace {
// Room kept free between the group and the face's edges.
constexpr int Inset = 4;
} // namespace

PrintButton::PrintButton(const QString& caption, const QIcon& picture, QWidget* parent)
    : QPushButton(caption, parent), picture_(picture) {
    setAttribute(Qt::WA_Hover);
}

int PrintButton::captionWidth() const {
    const int room = width() - 2 * Inset - pictureSize().width() - Spacing;
    return std::max(0, std::min(fontMetrics().horizontalAdvance(text()), room));
}

int PrintButton::groupLeft() const {
    const int group = pictureSize().width() + Spacing + captionWidth();
    return (width() - group) / 2;
}

QSize PrintButton::pictureSize() const {
    return picture_.availableSizes().value(0);
}

QPoint PrintButton::pressShift() const {
    return isDown() ? QPoint(1, 1) : QPoint(0, 0);
}

QRect PrintButton::pictureRect() const {
    const QSize size = pictureSize();
    return QRect(QPoint(groupLeft(), (height() - size.height()) / 2) + pressShift(), size);
}

QRect PrintButton::captionRect() const {
    const int left = groupLeft() + pictureSize().width() + Spacing;
    return QRect(QPoint(left, Inset) + pressShift(),
                 QSize(captionWidth(), std::max(0, height() - 2 * Inset)));
}

void PrintButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton face;
    initStyleOption(&face);
    // The face only: picture and caption are drawn below.
    face.text.clear();
    face.icon = QIcon();
    if (hasFocus())
        face.features |= QStyleOptionButton::DefaultButton;
    style()->drawControl(QStyle::CE_PushButtonBevel, &face, &painter, this);

    const QRect place = pictureRect();
    // Between densities the larger picture is scaled down.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(place, picture_.pixmap(place.size(), devicePixelRatioF()));

    const QRect caption = captionRect();
    const QFontMetrics metrics = fontMetrics();
    QString shown = text();
    int flags = Qt::AlignCenter | Qt::TextWordWrap;
    // Wrapped at word boundaries; what still does not fit ends in an ellipsis on one line.
    if (metrics.boundingRect(caption, flags, shown).height() > caption.height()) {
        shown = metrics.elidedText(shown, Qt::ElideRight, caption.width());
        flags = Qt::AlignCenter | Qt::TextSingleLine;
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(caption, flags, shown);

    if (hasFocus())
        drawDottedFocusRect(&painter, rect().adjusted(4, 4, -4, -4), palette().color(QPalette::ButtonText));
}

void PrintButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        click();
}
