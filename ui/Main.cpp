#include "ui/Main.h"

#include "printing/CalibrationStore.h"
#include "printing/NetworkPrinterSearch.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "templates/TemplateDispatch.h"
#include "ui/Accessibility.h"
#include "ui/AwaitWithoutInput.h"
#include "ui/BoldLabel.h"
#include "ui/BusyCursor.h"
#include "ui/CalibrationDialog.h"
#include "ui/DlgAbout.h"
#include "ui/DockPanel.h"
#include "ui/ErrorRelay.h"
#include "ui/FixedFrame.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"
#include "ui/MenuStyle.h"
#include "ui/OnScreen.h"
#include "ui/OpenLink.h"
#include "ui/PasswordDialog.h"
#include "ui/Pictures.h"
#include "ui/PreviewView.h"
#include "ui/PrintButton.h"
#include "ui/PrinterListDelegate.h"
#include "ui/ProductConstants.h"
#include "ui/SavePdfCommand.h"
#include "ui/TemplateListDelegate.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QListWidgetItem>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>

#include <cmath>
#include <utility>

namespace {

constexpr int RightColumnWidth = 243;
constexpr int PrinterAreaHeight = 216;
constexpr int HeadHeight = 25;
constexpr int ButtonHeight = 56;
constexpr int Margin = 3;

// What a row's tooltip says without a calibration: a long name cut short in the row is told in full.
QString rowToolTip(const TPrinterEntry& entry) {
    return entry.Network ? TMainForm::tr("%1: найден в сети").arg(entry.Text) : entry.Text;
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new BoldLabel(text, parent);
    label->setFont(headingFont());
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TMainForm::TMainForm(TPrinter& printer, QWidget* parent) : TMainForm(&printer, {}, parent) {}

TMainForm::TMainForm(QFuture<PrinterStart> start, QWidget* parent) : TMainForm(nullptr, std::move(start), parent) {}

TMainForm::TMainForm(TPrinter* printer, QFuture<PrinterStart> start, QWidget* parent)
    : QMainWindow(parent), start_(std::move(start)), printer_(printer) {
    setFont(windowFont());
    setWindowIcon(programIcon());
    // The window may be made as small as the user likes.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    registerAccessibleControls();
    createControls();
    createMenu();
    nameControls();
    connectEvents();
}

TMainForm::~TMainForm() = default;

void TMainForm::createControls() {
    ClientArea = new DockPanel(this);
    QPalette face = ClientArea->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    ClientArea->setPalette(face);
    ClientArea->setAutoFillBackground(true);
    setCentralWidget(ClientArea);

    Preview = new PreviewView(ClientArea);
    PanelR = new DockPanel(ClientArea);

    PanelPrinters = new DockPanel(PanelR);
    ListBoxPrinters = new TListBox(PanelPrinters);
    ListBoxPrinters->setItemDelegate(new PrinterListDelegate(ListBoxPrinters));
    PanelPrintersHead = new DockPanel(PanelPrinters);
    LabelPrintersHead = heading(tr("Выбор принтера"), PanelPrintersHead);

    PanelTemplates = new DockPanel(PanelR);
    PanelTemplatesHead = new DockPanel(PanelTemplates);
    LabelTemplatesHead = heading(tr("Выбор шаблона печати"), PanelTemplatesHead);
    ListBoxTemplates = new TListBox(PanelTemplates);
    ListBoxTemplates->setItemDelegate(new TemplateListDelegate(ListBoxTemplates));
    ListBoxTemplates->setUniformItemSizes(true);
    ListBoxTemplates->addItems(templateCaptions());

    BtnPrint = new PrintButton(tr("Печать"), printerPicture(), PanelR);

    ClientArea->dock(Preview, Dock::Fill, 0, Margin);
    ClientArea->dock(PanelR, Dock::Right, RightColumnWidth);
    PanelR->dock(PanelPrinters, Dock::Top, PrinterAreaHeight);
    PanelPrinters->dock(ListBoxPrinters, Dock::Fill, 0, Margin);
    PanelPrinters->dock(PanelPrintersHead, Dock::Top, HeadHeight);
    PanelPrintersHead->dock(LabelPrintersHead, Dock::Fill);
    PanelR->dock(PanelTemplates, Dock::Fill);
    PanelTemplates->dock(PanelTemplatesHead, Dock::Top, HeadHeight);
    PanelTemplatesHead->dock(LabelTemplatesHead, Dock::Fill);
    PanelTemplates->dock(ListBoxTemplates, Dock::Fill, 0, Margin);
    PanelR->dock(BtnPrint, Dock::Bottom, ButtonHeight, Margin);

    // Only the three working controls take the keyboard focus, in this order.
    BtnPrint->setFocusPolicy(Qt::StrongFocus);
    BtnPrint->setAutoDefault(false);
    setTabOrder(ListBoxPrinters, ListBoxTemplates);
    setTabOrder(ListBoxTemplates, BtnPrint);
}

void TMainForm::createMenu() {
    ImageList24 = menuImages();

    MenuFile = menuBar()->addMenu(tr("Файл"));
    MenuPrint = MenuFile->addAction(ImageList24[1], tr("Печать"));
    MenuSavePdf = MenuFile->addAction(ImageList24[4], tr("Сохранить в PDF..."));
    MenuCalibrate = MenuFile->addAction(tr("Калибровка принтера..."));
    MenuFileSeparator = MenuFile->addSeparator();
    MenuExit = MenuFile->addAction(tr("Выход"));

    MenuHelp = menuBar()->addMenu(tr("Справка"));
    MenuSite = MenuHelp->addAction(ImageList24[3], tr("Сайт программы"));
    MenuSupport = MenuHelp->addAction(ImageList24[2], tr("Поддержка"));
    MenuHelpSeparator = MenuHelp->addSeparator();
    MenuAbout = MenuHelp->addAction(ImageList24[0], tr("О программе"));

    // Made after the menu bar, so that as a later child of the window it is destroyed after the menus using
    // it.
    menuStyle_ = new MenuStyle;
    menuStyle_->setParent(this);
    for (QMenu* menu : {MenuFile, MenuHelp}) {
        menu->setStyle(menuStyle_);
        menu->setFont(windowFont());
    }
}

void TMainForm::nameControls() {
    // What a screen reader says for each control: the lists by their headings, which also label them.
    LabelPrintersHead->setBuddy(ListBoxPrinters);
    ListBoxPrinters->setAccessibleName(LabelPrintersHead->text());
    LabelTemplatesHead->setBuddy(ListBoxTemplates);
    ListBoxTemplates->setAccessibleName(LabelTemplatesHead->text());
    BtnPrint->setAccessibleName(BtnPrint->text());
    BtnPrint->setAccessibleDescription(tr("Печать выбранного шаблона на выбранном принтере"));
    menuBar()->setAccessibleName(tr("Главное меню"));
    describePreview();
}

void TMainForm::describePreview() {
    const int row = ListBoxTemplates->ItemIndex();
    const QString shown = row >= 0 ? ListBoxTemplates->item(row)->text() : tr("шаблон не выбран");
    const QString name = tr("Предпросмотр конверта: %1").arg(shown);
    // Only a change is announced; a resize repaints without one.
    if (Preview->accessibleName() != name)
        Preview->setAccessibleName(name);
}

void TMainForm::connectEvents() {
    ClientArea->setResizedHandler([this] { FormResize(); });
    connect(ListBoxTemplates, &QListWidget::itemSelectionChanged, this, &TMainForm::ListBoxTemplatesClick);
    connect(ListBoxPrinters, &TListBox::mouseUp, this,
            [this] { runRelayingErrors(this, [this] { ListBoxPrintersMouseUp(); }); });
    connect(ListBoxPrinters, &TListBox::click, this,
            [this] { runRelayingErrors(this, [this] { ListBoxPrintersClick(); }); });
    connect(BtnPrint, &QPushButton::clicked, this,
            [this] { runRelayingErrors(this, [this] { BtnPrintClick(); }); });
    // Menu commands run once the menu has closed, from the event loop, so an error they raise reaches the
    // error report without unwinding through the menu's own code.
    connect(MenuPrint, &QAction::triggered, this, &TMainForm::BtnPrintClick, Qt::QueuedConnection);
    connect(MenuSavePdf, &QAction::triggered, this, &TMainForm::SavePdfClick, Qt::QueuedConnection);
    connect(MenuCalibrate, &QAction::triggered, this, &TMainForm::CalibrateClick, Qt::QueuedConnection);
    connect(MenuExit, &QAction::triggered, this, &TMainForm::ExitClick, Qt::QueuedConnection);
    connect(MenuSite, &QAction::triggered, this, &TMainForm::SiteClick, Qt::QueuedConnection);
    connect(MenuSupport, &QAction::triggered, this, &TMainForm::SupportClick, Qt::QueuedConnection);
    connect(MenuAbout, &QAction::triggered, this, &TMainForm::AboutClick, Qt::QueuedConnection);
}

void TMainForm::FormCreate() {
    setWindowTitle(ProductConstants::ProgramName() + QLatin1Char(' ') + ProductConstants::ProgramVersion);
    const PasswordAsking asking(PasswordPurpose::StartUp);
    takeStart();
    fillPrinterList();
    ListBoxTemplates->setItemIndex(0);
}

void TMainForm::takeStart() {
    if (!start_.isValid())
        return;
    PrinterStart start = awaitWithoutInput(std::exchange(start_, {}));
    startedPrinter_ = std::move(start.printer);
    printer_ = startedPrinter_.get();
    startError_ = start.error;
}

void TMainForm::fillPrinterList() {
    ListBoxPrinters->clear();
    for (const TPrinterEntry& entry : printer_->Printers()) {
        auto* row = new QListWidgetItem(entry.Text, ListBoxPrinters);
        row->setToolTip(rowToolTip(entry));
    }
    if (startError_)
        std::rethrow_exception(std::exchange(startError_, nullptr));
    ListBoxPrinters->setItemIndex(printer_->PrinterIndex());
    showCalibration();
}

CalibrationStore& TMainForm::calibrations() {
    if (!calibrations_)
        calibrations_ = std::make_unique<CalibrationStore>();
    return *calibrations_;
}

void TMainForm::showCalibration() {
    const std::vector<TPrinterEntry>& entries = printer_->Printers();
    // Only the current printer is open, and only an open printer says what it is.
    const int current = printer_->DevMode() ? printer_->PrinterIndex() : -1;
    for (int row = 0; row < ListBoxPrinters->count() && row < static_cast<int>(entries.size()); ++row) {
        const TPrinterEntry& entry = entries[static_cast<std::size_t>(row)];
        QString tip = rowToolTip(entry);
        if (row == current)
            if (const std::optional<Calibration> c = calibrations().find(entry.Name, printer_->Identity()))
                tip += QLatin1Char('\n') + c->description();
        ListBoxPrinters->item(row)->setToolTip(tip);
    }
}

void TMainForm::showFirst() {
    const int menuHeight = menuBar()->heightForWidth(ClientWidth);
    const QSize frame(ClientWidth, ClientHeight + std::max(menuHeight, menuBar()->sizeHint().height()));
    placeOnScreen(*this, frame);
    ListBoxPrinters->setFocus();
    show();
    networkSearch_ = std::make_unique<NetworkPrinterSearch>(
        printer_->networkSearch(), *this, [this](const QString& name) { networkPrinterFound(name); });
    // The resize that comes with the first showing paints the preview; should the platform skip it, paint
    // here.
    if (!Preview->hasPicture())
        paintPreview();
}

TMainForm::PrinterAction::PrinterAction(TMainForm& form) : form_(form) {
    ++form_.actionsRunning_;
}

TMainForm::PrinterAction::~PrinterAction() {
    if (--form_.actionsRunning_ > 0)
        return;
    for (const QString& name : std::exchange(form_.foundMeanwhile_, {}))
        form_.addNetworkPrinter(name);
}

void TMainForm::networkPrinterFound(const QString& name) {
    if (actionsRunning_ > 0)
        foundMeanwhile_.append(name);
    else
        addNetworkPrinter(name);
}

void TMainForm::addNetworkPrinter(const QString& name) {
    const int row = printer_->addNetworkPrinter(name);
    if (row < 0)
        return;
    QScrollBar* bar = ListBoxPrinters->verticalScrollBar();
    const int top = ListBoxPrinters->indexAt(QPoint(0, 0)).row();
    const int scrolled = bar->value();
    auto* item = new QListWidgetItem(name);
    item->setToolTip(rowToolTip(printer_->Printers()[static_cast<std::size_t>(row)]));
    ListBoxPrinters->insertItem(row, item);
    // A row above the first one in view would push the view's rows down.
    if (top >= 0 && row <= top)
        bar->setValue(scrolled + (ListBoxPrinters->verticalScrollMode() == QAbstractItemView::ScrollPerItem
                                      ? 1
                                      : ListBoxPrinters->sizeHintForRow(row)));
}

void TMainForm::paintPreview() {
    // The bitmap takes the size of the first preview area that is not empty and keeps it; before that there
    // is nothing to draw on.
    if (Preview->hasPicture() || !Preview->rect().isEmpty()) {
        DrawingSurface& surface = Preview->canvas();
        surface.setBrushColor(clWhite);
        const double ratio = Preview->pictureRatio();
        surface.fillRect(0, 0, static_cast<int>(std::ceil(Preview->width() * ratio)),
                         static_cast<int>(std::ceil(Preview->height() * ratio)));
        // The same pixel rule at the screen's density: 2 px/mm on an ordinary screen, 4 at twice the density.
        const double scale = PreviewScale * ratio;
        paintTemplate(ListBoxTemplates->ItemIndex(), surface, scale, scale);
    }
    describePreview();
    Preview->repaint();
}

void TMainForm::FormResize() {
    paintPreview();
}

void TMainForm::ListBoxTemplatesClick() {
    paintPreview();
}

void TMainForm::ListBoxPrintersMouseUp() {
    const PrinterAction action(*this);
    const PasswordAsking asking(PasswordPurpose::PrinterSettings);
    printer_->setPrinterIndex(ListBoxPrinters->ItemIndex());
    showCalibration();
}

void TMainForm::ListBoxPrintersClick() {
    const PrinterAction action(*this);
    const PasswordAsking asking(PasswordPurpose::PrinterSettings);
    printer_->setPrinterIndex(ListBoxPrinters->ItemIndex());
    showCalibration();
}

void TMainForm::BtnPrintClick() {
    const PrinterAction action(*this);
    {
        const BusyCursor busy;
        const PasswordAsking asking(PasswordPurpose::Printing);
        printEnvelope(
            *printer_, [this] { return ListBoxTemplates->ItemIndex(); }, &calibrations());
    }
    // Said after the job, which went uncorrected; once a run.
    if (const QString problem = calibrations().takeProblem(); !problem.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, ProductConstants::ApplicationTitle(), problem, QMessageBox::Ok,
                        this);
        giveFixedFrame(box);
        execOnScreen(box);
    }
}

void TMainForm::SavePdfClick() {
    const PrinterAction action(*this);
    runSavePdfCommand(this, ListBoxTemplates->ItemIndex());
}

void TMainForm::CalibrateClick() {
    const PrinterAction action(*this);
    // The printer resolved before the dialog shows, so that a missing one is reported as printing would.
    printer_->PrinterIndex();
    runCalibrationCommand(this, *printer_, calibrations());
    showCalibration();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The program ends with its window: a job still on its way is given up, not waited for.
    if (printer_ && printer_->Printing())
        printer_->abandonJob();
    QMainWindow::closeEvent(event);
}

void TMainForm::ExitClick() {
    close();
}

void TMainForm::SupportClick() {
    openLink(this, ProductConstants::SupportURL);
}

void TMainForm::AboutClick() {
    runAboutCommand(this);
}

void TMainForm::SiteClick() {
    openLink(this, ProductConstants::SiteURL);
}
