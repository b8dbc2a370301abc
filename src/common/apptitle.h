#pragma once

#include <QString>

// The application's title: every box shows the current one as its caption; the close path changes it.
QString applicationTitle();
void setApplicationTitle(const QString& title);
