// The network module's one entry point, found by name when the program
// loads the module.
#include "net/QtNetworkKit.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT NetworkKit *murel_network_kit()
{
    return new QtNetworkKit;
}
