#pragma once

#include <QDialog>
#include <QString>

class CalibrationStore;
class MillimetreBox;
class QLabel;
class QPushButton;
class TPrinter;

// Calibration of the current printer: prints the calibration sheet, takes what the user measured of its two
// lines, and stores or removes the correction. Values that can't be right are refused in words, and nothing
// is stored.
class TCalibrationDialog : public QDialog {
    Q_OBJECT

public:
    TCalibrationDialog(TPrinter& printer, CalibrationStore& store, QWidget* parent = nullptr);

    void BtnPrintSheetClick();
    void BtnSaveClick();
    void BtnResetClick();

    QLabel* LabelPrinter;
    QPushButton* BtnPrintSheet;
    QLabel* LabelLong;
    MillimetreBox* EditLong;
    QLabel* LabelShort;
    MillimetreBox* EditShort;
    QLabel* LabelRefusal;
    QPushButton* BtnSave;
    QPushButton* BtnReset;
    QPushButton* BtnClose;

private:
    void refuse(const QString& why);

    TPrinter& printer_;
    CalibrationStore& store_;
    QString name_;
    QString identity_;
};

// Opens the dialog modally over the owner for the current printer; true when a calibration was saved or
// reset.
bool runCalibrationCommand(QWidget* owner, TPrinter& printer, CalibrationStore& store);
