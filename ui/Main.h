#pragma once

#include "printing/PrinterStart.h"

#include <QFuture>
#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <exception>
#include <memory>

class CalibrationStore;
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
    // Over the printer a start on another thread is making; FormCreate waits for it.
    explicit TMainForm(QFuture<PrinterStart> start, QWidget* parent = nullptr);
    ~TMainForm() override;

    TPrinter& printer() { return *printer_; }

    // Run once before the window is first shown; an error stops it where it is raised.
    void FormCreate();
    // Shows the window centred with its design client size, with the preview painted.
    void showFirst();

    // Draws the selected template into the preview bitmap and repaints it at once.
    void paintPreview();

    // A printer the network search found, handed over by queued call: added to the list without moving the
    // selection or the view, once no printer action runs.
    void networkPrinterFound(const QString& name);

    // Event handlers.
    void FormResize();
    void ListBoxTemplatesClick();
    void ListBoxPrintersMouseUp();
    void ListBoxPrintersClick();
    void BtnPrintClick();
    void SavePdfClick();
    void CalibrateClick();
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
    QAction* MenuCalibrate;
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
    TMainForm(TPrinter* printer, QFuture<PrinterStart> start, QWidget* parent);
    void createControls();
    void createMenu();
    void nameControls();
    void describePreview();
    void connectEvents();
    void takeStart();
    void fillPrinterList();
    void addNetworkPrinter(const QString& name);
    // The current printer's row says the calibration in force; the others say what they always say.
    void showCalibration();
    // Read when first needed, and kept for the run, so a file that can't be used is told of once.
    CalibrationStore& calibrations();

    // A choice, a print or a save, for as long as it runs: the printer list holds still, since the action may
    // hold rows of it across a password dialog, whose event loop delivers the search's finds.
    class PrinterAction {
    public:
        explicit PrinterAction(TMainForm& form);
        ~PrinterAction();
        PrinterAction(const PrinterAction&) = delete;
        PrinterAction& operator=(const PrinterAction&) = delete;

    private:
        TMainForm& form_;
    };

    QFuture<PrinterStart> start_;
    std::unique_ptr<TPrinter> startedPrinter_;
    TPrinter* printer_;
    // What the start threw, said where the window reads the current printer.
    std::exception_ptr startError_;
    int actionsRunning_ = 0;
    QStringList foundMeanwhile_;
    MenuStyle* menuStyle_ = nullptr;
    // Started once the window shows; stopped first as the window goes.
    std::unique_ptr<NetworkPrinterSearch> networkSearch_;
    std::unique_ptr<CalibrationStore> calibrations_;
};
