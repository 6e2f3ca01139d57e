#include "ui/DlgAbout.h"

#include "ui/AboutPicture.h"
#include "ui/Accessibility.h"
#include "ui/FixedFrame.h"
#include "ui/Fonts.h"
#include "ui/LinkLabel.h"
#include "ui/OnScreen.h"
#include "ui/OpenLink.h"
#include "ui/PictureView.h"
#include "ui/ProductConstants.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <memory>

TFormAbout* FormAbout = nullptr;

namespace {

const char* const InfoText = QT_TRANSLATE_NOOP(
    "TFormAbout",
    "Ворнель - современная и удобная БЕСПЛАТНАЯ программа для печати конвертов для CD/DVD и других "
    "дисков. Позволяет на любом принтере распечатать конверт и использовать его для любых дисков!");

// The links: the windows' font, bold and underlined.
QFont linkFont() {
    QFont font = windowFont();
    font.setBold(true);
    font.setUnderline(true);
    return font;
}

// The program's name over the version line.
QFont nameFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

void setTextColour(QWidget* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

template <typename Label>
Label* addLabel(QWidget* parent, const char* name, const QRect& bounds, const QFont& font,
                const QColor& colour) {
    auto* label = new Label(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(bounds);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    setTextColour(label, colour);
    return label;
}

// A single-line label whose width follows its text, as the name, version and copyright lines are.
void setFittedText(QLabel* label, const QString& text) {
    label->setText(text);
    label->resize(QFontMetrics(label->font()).horizontalAdvance(text), label->height());
}

// A link reached by Tab, read out as its caption with the address it opens.
void makeLink(TLinkLabel* link, const QString& url) {
    link->setFocusPolicy(Qt::TabFocus);
    link->setAccessibleDescription(url);
}

} // namespace

TFormAbout::TFormAbout(QWidget* owner) : QDialog(owner) {
    giveFixedFrame(*this);
    registerAccessibleControls();
    setWindowTitle(tr("О программе..."));
    setFixedSize(550, 371);
    setFont(windowFont());

    const QFont textFont = windowFont();
    const QColor navy(0, 0, 128);

    Image32 = new TPictureView(this);
    Image32->setObjectName(QStringLiteral("Image32"));
    Image32->setGeometry(0, 0, 550, 371);
    Image32->setPicture(AboutPicture::loadFor(devicePixelRatioF()));

    SiteLabel = addLabel<TLinkLabel>(Image32, "SiteLabel", {22, 282, 257, 16}, linkFont(), navy);
    SiteLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SiteLabel->setText(tr("Сайт программы"));
    SiteLabel->onClick = [this] { SiteLabelClick(); };
    makeLink(SiteLabel, ProductConstants::SiteURL);

    SupportLabel = addLabel<TLinkLabel>(Image32, "SupportLabel", {288, 282, 259, 16}, linkFont(), navy);
    SupportLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SupportLabel->setText(tr("Техническая поддержка"));
    SupportLabel->onClick = [this] { SupportLabelClick(); };
    makeLink(SupportLabel, ProductConstants::SupportURL);

    InfoLabel = addLabel<QLabel>(Image32, "InfoLabel", {58, 181, 483, 106}, textFont, Qt::black);
    InfoLabel->setWordWrap(true);
    InfoLabel->setText(tr(InfoText));

    VersionLabel = addLabel<QLabel>(Image32, "VersionLabel", {58, 129, 0, 16}, textFont, Qt::black);
    AuthorLabel = addLabel<QLabel>(Image32, "AuthorLabel", {58, 151, 0, 16}, textFont, Qt::black);
    ProgrammLabel = addLabel<QLabel>(Image32, "ProgrammLabel", {58, 107, 0, 19}, nameFont(), Qt::black);

    CloseButton = new QPushButton(Image32);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(419, 327, 122, 33);
    CloseButton->setDefault(true);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    CloseButton->setFocus();
}

TFormAbout::~TFormAbout() = default;

void TFormAbout::FormCreate() {
    using namespace ProductConstants;
    setFittedText(ProgrammLabel, ProgramName());
    setFittedText(VersionLabel, VersionCaption() + QStringLiteral(": ") + ProgramVersion);
    CloseButton->setText(CloseCaption());
    setFittedText(AuthorLabel, CopyrightCaption + QStringLiteral(": ") + ProgramCopyright());
}

void TFormAbout::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        placeOverOwner();
    QDialog::showEvent(event);
}

void TFormAbout::placeOverOwner() {
    // The toolkit's own placement lifts the dialog by its owner's title bar; centre the frames instead. The
    // dialog's frame is not known before it is mapped, so the owner's stands in for it.
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    const QRect ownerFrame = owner->frameGeometry();
    const QSize frame = size() + ownerFrame.size() - owner->size();
    QPoint topLeft(ownerFrame.x() + (ownerFrame.width() - frame.width()) / 2,
                   ownerFrame.y() + (ownerFrame.height() - frame.height()) / 2);
    if (const QScreen* screen = owner->screen()) {
        const QRect available = screen->availableGeometry();
        topLeft.setX(
            std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - frame.width())));
        topLeft.setY(
            std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - frame.height())));
    }
    // Until the window manager has framed the dialog, a move places its client area, not its frame.
    if (frameGeometry() == geometry())
        topLeft += owner->geometry().topLeft() - ownerFrame.topLeft();
    move(topLeft);
}

void TFormAbout::SiteLabelClick() {
    openLink(this, ProductConstants::SiteURL);
}

void TFormAbout::SupportLabelClick() {
    openLink(this, ProductConstants::SupportURL);
}

namespace {

// Clears the module reference before the dialog goes, however the showing ended.
class FormAboutReset {
public:
    FormAboutReset() = default;
    FormAboutReset(const FormAboutReset&) = delete;
    FormAboutReset& operator=(const FormAboutReset&) = delete;
    ~FormAboutReset() { FormAbout = nullptr; }
};

} // namespace

void runAboutCommand(QWidget* owner, const std::function<void(TFormAbout&)>& showModal) {
    // Declared in this order so the reference is cleared first and the dialog destroyed after it.
    auto dialog = std::make_unique<TFormAbout>(owner);
    FormAboutReset reset;
    FormAbout = dialog.get();
    showModal(*dialog);
}

void runAboutCommand(QWidget* owner) {
    runAboutCommand(owner, [](TFormAbout& dialog) { execOnScreen(dialog); });
}
