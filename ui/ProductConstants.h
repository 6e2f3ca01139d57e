#pragma once

#include <QString>

// The product's fixed texts, shown by the main window and the About dialog.
namespace ProductConstants {
inline const QString ProgramName = QStringLiteral("Ворнель [light]");
inline const QString ProgramVersion = QStringLiteral("1.13");
inline const QString ProgramCopyright = QStringLiteral("© 2026 Ворнель");
inline const QString SiteURL = QStringLiteral("http://vornel.example");
inline const QString SupportURL = QStringLiteral("http://vornel.example/support.php");
inline const QString CopyrightCaption = QStringLiteral("Copyright");
inline const QString VersionCaption = QStringLiteral("Версия программы");
inline const QString CloseCaption = QStringLiteral("Закрыть");

// The caption of the error report's message boxes; not a window title.
inline const QString ApplicationTitle = QStringLiteral("Ворнель");
} // namespace ProductConstants
