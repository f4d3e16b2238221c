#pragma once
// How a failed command reaches the user: a modal message box with the error's
// text. Windows take the reporter as a value so tests can watch it.
#include <QString>
#include <functional>

class QWidget;

namespace trivane {

using ErrorReporter = std::function<void(QWidget* parent, const QString& text)>;

// The application's standard report: a modal box with the text and one button.
void ShowErrorBox(QWidget* parent, const QString& text);

// Runs command; an exception it throws is reported and goes no further.
void RunReporting(QWidget* parent, const ErrorReporter& report, const std::function<void()>& command);

}  // namespace trivane
