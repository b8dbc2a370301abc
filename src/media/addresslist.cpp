#include "media/addresslist.h"

namespace addresslist {

bool holds(const QStringList& items, const QString& address)
{
    if (address.isEmpty())
        return true;
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        if (items[i] == address)
            return true;
    }
    return false;
}

QString forBrowser(const QString& address)
{
    return address.left(MaxAddressLength);
}

} // namespace addresslist
