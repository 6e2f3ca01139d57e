#include "ListBox.h"

#include <QMouseEvent>
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
}

int TListBox::ItemIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TListBox::setItemIndex(int row) {
    const QSignalBlocker blocker(this);
    setCurrentRow(row);
}

QItemSelectionModel::SelectionFlags TListBox::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
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

void TListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    emit mouseUp();
}
