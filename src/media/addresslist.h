#pragma once

#include <QString>
#include <QStringList>

// The web viewer's address box: the addresses gone to during the run, compared exactly.
namespace addresslist {

/// The longest address handed to the browser; a longer one is cut after this many characters.
constexpr int MaxAddressLength = 99;

/// Whether the list already holds `address`, looking from the last item to the first; an empty address
/// counts as held.
bool holds(const QStringList& items, const QString& address);
/// The address as the browser gets it.
QString forBrowser(const QString& address);

} // namespace addresslist
