// The failure report of ZARNI_CHECK.
#include "platform/base/Check.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void ZarniCheckFailed(const char* file, int line, const char* condition, const char* format, ...) {
    std::fprintf(stderr, "%s:%d: broken: %s: ", file, line, condition);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::abort();
}
