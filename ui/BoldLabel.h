#pragma once

#include <QLabel>

class QEvent;
class QPaintEvent;

// A label of plain text whose bold keeps its weight at every screen density. The window font has no bold
// face, and the toolkit's synthetic bold widens strokes by a share of the font size: a whole pixel at 13 px
// on an ordinary screen, where the windows were designed, but half a logical pixel at twice the density.
// From density 1.5 up the text is drawn once more, moved right by about the share that is missing.
// A single line too wide for the label is cut short with an ellipsis and shown whole in a tooltip, as a
// longer translation may be.
class BoldLabel : public QLabel {
    Q_OBJECT

public:
    explicit BoldLabel(QWidget* parent = nullptr);
    BoldLabel(const QString& text, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString shownText() const;
};
