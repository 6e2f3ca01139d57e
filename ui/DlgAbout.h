#pragma once

#include <QDialog>

class QWidget;

// The About box: picture, product texts, two links and a Close button.
class TFormAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFormAbout(QWidget* owner);
    ~TFormAbout() override;
};

// Names the dialog while the About command runs; nil otherwise.
extern TFormAbout* FormAbout;

// The Help > About command: a new dialog each time, shown modally and destroyed when it closes.
void runAboutCommand(QWidget* owner);
