#pragma once

#include <QString>
#include <functional>

// The default error report: the error's text (with a full stop when its last character sorts after "."),
// the application's title as caption, an error icon and OK.
QString errorReportText(const QString& message);
void showErrorReport(const QString& message);

// Runs a handler the way the application object runs every event: an escaping error is reported and
// swallowed. For calls that do not come through an event (a handler performed from a test or at start-up).
void runGuarded(const std::function<void()>& handler);
