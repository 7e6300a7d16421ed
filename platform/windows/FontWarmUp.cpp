#include "platform/FontWarmUp.h"

// The system keeps its fonts ready for every program: nothing to read.
FontWarmUp::FontWarmUp() = default;

FontWarmUp::~FontWarmUp() = default;

void FontWarmUp::finish()
{
}
