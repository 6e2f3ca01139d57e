#pragma once

#include <QString>

// The product's fixed texts, shown by the main window and the About dialog. Those in words are read in the
// user's language, so they are asked for once a translation is installed.
namespace ProductConstants {
QString ProgramName();
inline const QString ProgramVersion = QStringLiteral("1.13");
QString ProgramCopyright();
inline const QString SiteURL = QStringLiteral("http://vornel.example");
inline const QString SupportURL = QStringLiteral("http://vornel.example/support.php");
inline const QString CopyrightCaption = QStringLiteral("Copyright");
QString VersionCaption();
QString CloseCaption();

// The caption of the error report's message boxes; not a window title.
QString ApplicationTitle();
} // namespace ProductConstants
