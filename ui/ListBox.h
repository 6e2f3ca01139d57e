#pragma once

#include <QListWidget>

class QFocusEvent;
class QMouseEvent;
class QPaintEvent;

// A single-selection list box as the desktop's: only the left button selects, a row once selected stays
// selected (no deselecting click, not even below the rows), and the item index is the selected row, not the
// keyboard caret. It shows a focus rectangle whenever it has the keyboard focus.
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
    // The user selected another row other than with the mouse: arrow keys, Home/End, Page Up/Down, typing
    // a name's first letters, or an assistive tool. The mouse's own selection is announced by mouseUp.
    void click();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void selectionMoved();

    // Set from a press of a button until its release, while the mouse is making the selection.
    bool mouseSelecting_ = false;
};
