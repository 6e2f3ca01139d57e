#pragma once

#include <QList>
#include <QMainWindow>

#include <memory>

class DockPanel;
class MenuStyle;
class NetworkPrinterSearch;
class PreviewView;
class PrintButton;
class QAction;
class QIcon;
class QLabel;
class QMenu;
class TListBox;
class TPrinter;

// The main window: the preview on the left, the printer list, the template list and the print button in a
// column on the right, and the menu bar.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 800;
    static constexpr int ClientHeight = 399;
    static constexpr double PreviewScale = 2.0;

    explicit TMainForm(TPrinter& printer, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Run once before the window is first shown; an error stops it where it is raised.
    void FormCreate();
    // Shows the window centred with its design client size, with the preview painted.
    void showFirst();

    // Draws the selected template into the preview bitmap and repaints it at once.
    void paintPreview();

    // Event handlers.
    void FormResize();
    void ListBoxTemplatesClick();
    void ListBoxPrintersMouseUp();
    void ListBoxPrintersClick();
    void BtnPrintClick();
    void SavePdfClick();
    void ExitClick();
    void SupportClick();
    void AboutClick();
    void SiteClick();

    // The client area below the menu bar; the controls below are placed in it.
    DockPanel* ClientArea;
    PreviewView* Preview;
    DockPanel* PanelR;
    DockPanel* PanelPrinters;
    TListBox* ListBoxPrinters;
    DockPanel* PanelPrintersHead;
    QLabel* LabelPrintersHead;
    DockPanel* PanelTemplates;
    DockPanel* PanelTemplatesHead;
    QLabel* LabelTemplatesHead;
    TListBox* ListBoxTemplates;
    PrintButton* BtnPrint;

    QMenu* MenuFile;
    QAction* MenuPrint;
    QAction* MenuSavePdf;
    QAction* MenuFileSeparator;
    QAction* MenuExit;
    QMenu* MenuHelp;
    QAction* MenuSite;
    QAction* MenuSupport;
    QAction* MenuHelpSeparator;
    QAction* MenuAbout;
    QList<QIcon> ImageList24;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenu();
    void nameControls();
    void describePreview();
    void connectEvents();
    void fillPrinterList();
    // A printer the network search found, added to the list without moving the selection or the view.
    void networkPrinterFound(const QString& name);

    TPrinter& printer_;
    MenuStyle* menuStyle_ = nullptr;
    // Started once the window shows; stopped first as the window goes.
    std::unique_ptr<NetworkPrinterSearch> networkSearch_;
};
