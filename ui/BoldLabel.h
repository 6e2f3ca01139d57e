#pragma once

#include <QLabel>

class QPaintEvent;

// A label of plain text whose bold keeps its weight at every screen density. The window font has no bold
// face, and the toolkit's synthetic bold widens strokes by a share of the font size: a whole pixel at 13 px
// on an ordinary screen, where the windows were designed, but half a logical pixel at twice the density.
// From density 1.5 up the text is drawn once more, moved right by about the share that is missing.
class BoldLabel : public QLabel {
    Q_OBJECT

public:
    explicit BoldLabel(QWidget* parent = nullptr);
    BoldLabel(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
