#pragma once

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace velmora::test {

// Whether the address space can be capped: AddressSanitizer reserves terabytes of it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kCanCapMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kCanCapMemory = false;
#else
inline constexpr bool kCanCapMemory = true;
#endif
#else
inline constexpr bool kCanCapMemory = true;
#endif

// Caps this process's address space at what it uses now plus `extra_bytes`, so that an
// allocation of gigabytes fails at once instead of filling the machine. Meant for the child of
// a death test (EXPECT_EXIT), where the cap ends with the child.
inline void cap_memory(long long extra_bytes) {
    long long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlim_t cap = rlim_t(pages * sysconf(_SC_PAGESIZE) + extra_bytes);
    const rlimit limit{cap, cap};
    setrlimit(RLIMIT_AS, &limit);
}

} // namespace velmora::test
