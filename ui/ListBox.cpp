#include "ui/ListBox.h"

#include "ui/DottedFocusRect.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QSignalBlocker>

TListBox::TListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The selected row keeps the highlight colours while the window is not active, as the desktop's lists do.
    QPalette colours = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    // Blocked while the program selects a row itself, so that only the user's selections get through.
    connect(this, &QListWidget::itemSelectionChanged, this, &TListBox::selectionMoved);
}

int TListBox::ItemIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TListBox::setItemIndex(int row) {
    const QSignalBlocker blocker(this);
    setCurrentRow(row);
}

void TListBox::selectionMoved() {
    if (!mouseSelecting_ && ItemIndex() >= 0)
        emit click();
}

QItemSelectionModel::SelectionFlags TListBox::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    // A click or drag below the rows selects nothing and leaves the selected row as it is.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    // Only the left button selects; the others leave the selection to be made current as it is.
    if (event && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                  event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton) && mouse->button() != Qt::LeftButton)
            return QItemSelectionModel::NoUpdate;
    }
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (flags.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

void TListBox::mousePressEvent(QMouseEvent* event) {
    mouseSelecting_ = true;
    QListWidget::mousePressEvent(event);
}

void TListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    mouseSelecting_ = event->buttons() != Qt::NoButton;
    emit mouseUp();
}

void TListBox::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    // With no row under the caret, the focus rectangle goes where the first row is, as on the desktop.
    if (!hasFocus() || currentIndex().isValid())
        return;
    QPainter painter(viewport());
    const int rowHeight = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
    drawDottedFocusRect(&painter, QRect(0, 0, viewport()->width(), rowHeight),
                        palette().color(QPalette::Text));
}

void TListBox::focusInEvent(QFocusEvent* event) {
    const bool noCaret = !currentIndex().isValid();
    QListWidget::focusInEvent(event);
    // The toolkit puts the caret on the first row, where the next key could not select it; keep no caret,
    // so that the first arrow key, Home or End selects its row.
    if (noCaret && currentIndex().isValid() && ItemIndex() < 0) {
        const QSignalBlocker blocker(this);
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    viewport()->update();
}

void TListBox::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    viewport()->update();
}
