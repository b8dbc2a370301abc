#include "media/qtmediacontrol.h"

extern "C" Q_DECL_EXPORT MediaControl* trombusMakeMediaControl()
{
    return new QtMediaControl();
}
