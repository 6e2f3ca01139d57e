#include "ui/SavePdfCommand.h"

#include "printing/EnvelopePdf.h"
#include "ui/BusyCursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QString>
#include <QStringList>

namespace {

QString& lastFolder() {
    static QString folder = QDir::homePath();
    return folder;
}

// Qt's file dialog reads and writes its history and last folder in the user's own settings file, whatever
// the program says. The program keeps nothing between runs, so the user's settings are sent where no file
// can ever be made: a folder below a device.
void keepNoDialogSettings() {
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

} // namespace

void runSavePdfCommand(QWidget* owner, EnvelopeTemplate index) {
    // Asked before the dialog: with nothing to draw there is nothing to save.
    requireTemplate(index);
    keepNoDialogSettings();
    QFileDialog dialog(owner, QCoreApplication::translate("SavePdfCommand", "Сохранить в PDF"), lastFolder(),
                       QCoreApplication::translate("SavePdfCommand", "Документы PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QCoreApplication::translate("SavePdfCommand", "Конверт.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder() = QFileInfo(path).absolutePath();
    const BusyCursor busy;
    EnvelopePdf::save(path, index, EnvelopePdf::paperFor(QLocale()));
}
