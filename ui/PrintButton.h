#pragma once

#include <QIcon>
#include <QPushButton>

class QKeyEvent;
class QPaintEvent;

// A push button whose picture and caption form one centred group: picture, 4 px, caption. While pressed the
// group moves 1 px right and down. Drawn as the default button while it has the focus, it is pressed by Enter
// (either key) as well as by Space.
class PrintButton : public QPushButton {
public:
    static constexpr int Spacing = 4;

    // The picture is drawn at the smallest of its sizes, from the picture that suits the screen's density.
    PrintButton(const QString& caption, const QIcon& picture, QWidget* parent = nullptr);

    // Where the picture and the caption go for the button's size and state.
    QRect pictureRect() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The caption's width within the room the button leaves it.
    int captionWidth() const;
    int groupLeft() const;
    QPoint pressShift() const;
    QSize pictureSize() const;

    QIcon picture_;
};
