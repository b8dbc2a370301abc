#pragma once

#include <QStringList>
#include <string>
#include <vector>

// The platform layer speaks UTF-8 std::string; the windows speak QString.
QStringList toQStringList(const std::vector<std::string>& texts);
