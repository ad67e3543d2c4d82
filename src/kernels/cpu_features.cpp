#include "kernels/cpu_features.h"

#ifdef TAVREL_X86_KERNELS

bool CpuHasSsse3() {
    static const bool supported = __builtin_cpu_supports("ssse3");
    return supported;
}

bool CpuHasAvx2() {
    static const bool supported = __builtin_cpu_supports("avx2");
    return supported;
}

#else

bool CpuHasSsse3() {
    return false;
}
bool CpuHasAvx2() {
    return false;
}

#endif
