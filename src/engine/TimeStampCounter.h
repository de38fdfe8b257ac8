#pragma once
// The processor's time-stamp counter, read inline: it sits inside the timed section. (Not named
// ReadTimeStampCounter: winnt.h defines that as a macro.)
#include <cstdint>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

namespace sektra {

inline std::uint64_t TimeStampCounterNow() {
#if defined(__i386__) || defined(__x86_64__)
    return __rdtsc();
#else
    return 0;
#endif
}

inline bool ProbeTimeStampCounter() {
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // __get_cpuid checks the highest leaf (leaf 0) before it asks leaf 1.
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    return (edx & (1u << 4)) != 0;
#else
    return false;
#endif
}

}  // namespace sektra
