// printf-style composition into a string of whatever length the result needs.
#pragma once

#include <string>

#if defined(__GNUC__)
#define QUORVEL_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QUORVEL_PRINTF(fmt, args)
#endif

std::string FormatText(const char* format, ...) QUORVEL_PRINTF(1, 2);
