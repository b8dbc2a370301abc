#pragma once

#include <QString>
#include <QTime>

/// The status bar clock: one blank, the hour without a leading zero, then minutes and seconds in two digits.
QString clockPanelText(const QTime& time);
