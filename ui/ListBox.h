#pragma once

#include <QListWidget>

class QMouseEvent;

// A single-selection list box as the desktop's: only the left button selects, a row once selected stays
// selected (no deselecting click), and the item index is the selected row, not the keyboard caret.
class TListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TListBox(QWidget* parent = nullptr);

    // The selected row, or -1 when none is.
    int ItemIndex() const;
    // Selects a row from the program: no selection event follows.
    void setItemIndex(int row);

signals:
    // Any mouse button released over the list.
    void mouseUp();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
