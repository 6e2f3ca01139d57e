#include "ui/CalibrationDialog.h"

#include "printing/Calibration.h"
#include "printing/CalibrationStore.h"
#include "printing/PrintCommand.h"
#include "printing/TPrinter.h"
#include "ui/BusyCursor.h"
#include "ui/ErrorRelay.h"
#include "ui/Fonts.h"
#include "ui/MillimetreBox.h"
#include "ui/OnScreen.h"
#include "ui/PasswordDialog.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

TCalibrationDialog::TCalibrationDialog(TPrinter& printer, CalibrationStore& store, QWidget* parent)
    : QDialog(parent), printer_(printer), store_(store) {
    const TPrinterEntry& entry = printer_.Printers()[static_cast<std::size_t>(printer_.PrinterIndex())];
    name_ = entry.Name;
    identity_ = printer_.Identity();
    const std::optional<Calibration> stored = store_.find(name_, identity_);

    keepOnScreen(*this);
    setFont(windowFont());
    setWindowTitle(tr("Калибровка принтера «%1»").arg(entry.Text));

    LabelPrinter = new QLabel(
        tr("Принтер «%1»: %2").arg(entry.Text, stored ? stored->description() : tr("калибровки нет")), this);
    LabelPrinter->setWordWrap(true);
    BtnPrintSheet = new QPushButton(tr("Напечатать лист калибровки"), this);
    auto* howTo = new QLabel(tr("Измерьте стальной линейкой обе линии листа по всей длине и введите, что "
                                "намерили, с точностью до 0,1 мм."),
                             this);
    howTo->setWordWrap(true);

    const Calibration shown = stored.value_or(Calibration{});
    LabelLong = new QLabel(tr("Линия 200 мм, намерено (мм):"), this);
    EditLong = new MillimetreBox(this);
    EditLong->setValue(shown.longLine);
    LabelShort = new QLabel(tr("Линия 150 мм, намерено (мм):"), this);
    EditShort = new MillimetreBox(this);
    EditShort->setValue(shown.shortLine);
    LabelLong->setBuddy(EditLong);
    LabelShort->setBuddy(EditShort);

    LabelRefusal = new QLabel(this);
    LabelRefusal->setWordWrap(true);
    LabelRefusal->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    QPalette red = LabelRefusal->palette();
    red.setColor(QPalette::WindowText, Qt::darkRed);
    LabelRefusal->setPalette(red);
    LabelRefusal->hide();

    BtnSave = new QPushButton(tr("Сохранить"), this);
    BtnReset = new QPushButton(tr("Сбросить"), this);
    BtnClose = new QPushButton(tr("Закрыть"), this);
    BtnSave->setDefault(true);
    BtnReset->setEnabled(stored.has_value() || !store_.problem().isEmpty());

    auto* fields = new QGridLayout;
    fields->addWidget(LabelLong, 0, 0);
    fields->addWidget(EditLong, 0, 1);
    fields->addWidget(LabelShort, 1, 0);
    fields->addWidget(EditShort, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSave);
    buttons->addWidget(BtnReset);
    buttons->addWidget(BtnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPrinter);
    layout->addWidget(BtnPrintSheet);
    layout->addWidget(howTo);
    layout->addLayout(fields);
    layout->addWidget(LabelRefusal);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // What a screen reader says: the fields by their labels, the buttons by their text.
    EditLong->setAccessibleName(LabelLong->text());
    EditShort->setAccessibleName(LabelShort->text());
    for (QPushButton* button : {BtnPrintSheet, BtnSave, BtnReset, BtnClose})
        button->setAccessibleName(button->text());
    LabelPrinter->setAccessibleName(LabelPrinter->text());
    howTo->setAccessibleName(howTo->text());
    setTabOrder(BtnPrintSheet, EditLong);
    setTabOrder(EditLong, EditShort);
    setTabOrder(EditShort, BtnSave);
    setTabOrder(BtnSave, BtnReset);
    setTabOrder(BtnReset, BtnClose);

    connect(BtnPrintSheet, &QPushButton::clicked, this,
            [this] { runRelayingErrors(this, [this] { BtnPrintSheetClick(); }); });
    connect(BtnSave, &QPushButton::clicked, this,
            [this] { runRelayingErrors(this, [this] { BtnSaveClick(); }); });
    connect(BtnReset, &QPushButton::clicked, this,
            [this] { runRelayingErrors(this, [this] { BtnResetClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TCalibrationDialog::BtnPrintSheetClick() {
    const BusyCursor busy;
    const PasswordAsking asking(PasswordPurpose::Printing);
    printCalibrationSheet(printer_, QDate::currentDate());
}

void TCalibrationDialog::refuse(const QString& why) {
    LabelRefusal->setText(why);
    LabelRefusal->setAccessibleName(why);
    LabelRefusal->show();
}

void TCalibrationDialog::BtnSaveClick() {
    // A field left half-typed counts as what it shows.
    EditLong->interpretText();
    EditShort->interpretText();
    const Calibration measured{EditLong->value(), EditShort->value()};
    const QString outOfRange = measured.rangeProblem();
    if (!outOfRange.isEmpty()) {
        refuse(outOfRange);
        return;
    }
    store_.save(name_, identity_, measured);
    accept();
}

void TCalibrationDialog::BtnResetClick() {
    store_.reset(name_, identity_);
    accept();
}

bool runCalibrationCommand(QWidget* owner, TPrinter& printer, CalibrationStore& store) {
    TCalibrationDialog dialog(printer, store, owner);
    return execOnScreen(dialog) == QDialog::Accepted;
}
