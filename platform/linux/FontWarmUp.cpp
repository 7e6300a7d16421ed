#include "platform/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

// The toolkit's font list starts with the same call, which finds the
// configuration loaded once this has run; fontconfig guards its own start,
// so even a finish() that came too late would only wait, never race.
FontWarmUp::FontWarmUp()
    : m_thread([] { FcInit(); })
{
}

FontWarmUp::~FontWarmUp()
{
    finish();
}

void FontWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}
