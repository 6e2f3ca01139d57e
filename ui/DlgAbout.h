#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QShowEvent;
class QWidget;
class TLinkLabel;
class TPictureView;

// The About box: the picture with the product's texts over it, two web links and a Close button.
class TFormAbout : public QDialog {
    Q_OBJECT

public:
    // Loads the picture afresh; raises EResourceError when it is damaged.
    explicit TFormAbout(QWidget* owner);
    ~TFormAbout() override;

    TPictureView* Image32;
    TLinkLabel* SiteLabel;
    TLinkLabel* SupportLabel;
    QLabel* InfoLabel;
    QLabel* VersionLabel;
    QLabel* AuthorLabel;
    QLabel* ProgrammLabel;
    QPushButton* CloseButton;

    void FormCreate();
    void SiteLabelClick();
    void SupportLabelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void placeOverOwner();
};

// Names the dialog while the About command runs; nil otherwise.
extern TFormAbout* FormAbout;

// The Help > About command: a new dialog each time, shown modally, destroyed when it closes.
void runAboutCommand(QWidget* owner);

// The same command with the showing step replaced, so a failure while the dialog is up can be staged.
void runAboutCommand(QWidget* owner, const std::function<void(TFormAbout&)>& showModal);
