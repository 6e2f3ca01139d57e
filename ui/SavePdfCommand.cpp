#include "SavePdfCommand.h"

#include "BusyCursor.h"
#include "EnvelopePdf.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace {
QString& lastFolder() {
    static QString folder = QDir::homePath();
    return folder;
}
} // namespace

void runSavePdfCommand(QWidget* owner, EnvelopeTemplate index) {
    QFileDialog dialog(owner, QStringLiteral("Сохранить в PDF"), lastFolder(),
                       QStringLiteral("Документы PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("Конверт.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder() = QFileInfo(path).absolutePath();
    const BusyCursor busy;
    EnvelopePdf::save(path, index, EnvelopePdf::paperFor(QLocale()));
}
