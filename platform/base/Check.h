// ZARNI_CHECK, the one way a broken condition is reported, and ZARNI_ASSERT_VALID, which
// runs a structure's own checks after a change in debug and sanitizer builds.
#pragma once

// Prints "file:line: broken: <condition>: <message>" to stderr and aborts.
[[noreturn]] void ZarniCheckFailed(const char* file, int line, const char* condition,
                                   const char* format, ...) __attribute__((format(printf, 4, 5)));

// Aborts in every build when cond is false; the message is a printf format with arguments.
#define ZARNI_CHECK(cond, ...)                                        \
    do {                                                              \
        if (!(cond))                                                  \
            ZarniCheckFailed(__FILE__, __LINE__, #cond, __VA_ARGS__); \
    } while (0)

// obj.AssertValid() after every change where the build keeps assertions; nothing in
// release builds, where the checks would cost the hot paths.
#ifdef NDEBUG
#define ZARNI_ASSERT_VALID(obj) \
    do {                        \
    } while (0)
#else
#define ZARNI_ASSERT_VALID(obj) (obj).AssertValid()
#endif
