#include "platform/DisplayEnvironment.h"

bool displayNamedByEnvironment()
{
    return false;
}
