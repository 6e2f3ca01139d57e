#pragma once

#include <QString>

#include <exception>
#include <functional>

// The application-wide error report: every error that escapes a command, an event handler or a window's
// creation handler ends here, is shown in a modal box, and the program goes on.
namespace ErrorReport {

// The text the user sees: the innermost non-empty message, with "." appended when its last character's code
// is above that of ".".
QString messageText(const std::exception_ptr& error);
QString withFullStop(const QString& message);

// Releases any mouse grab and shows the text in a modal box captioned with the application title.
void show(const std::exception_ptr& error);

// Runs a handler and reports what escapes it; for code that runs outside the event loop's dispatch.
void guard(const std::function<void()>& handler);

// Replaces the message box, for tests that only need the text; an empty presenter restores the box.
using Presenter = std::function<void(const QString& text, const QString& caption)>;
void setPresenter(Presenter presenter);

} // namespace ErrorReport
