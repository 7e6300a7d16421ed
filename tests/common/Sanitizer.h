#pragma once

// Built with AddressSanitizer (the sanitize preset): resident memory is then
// the sanitizer's allocator's, its quarantine and shadow included, and says
// nothing of the program's; LeakSanitizer looks for leaks instead.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
