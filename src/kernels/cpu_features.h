// Optional instruction sets of the running processor. Kernels written for them are
// picked at run time, so one build runs on every x86-64 machine and elsewhere.
#pragma once

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define TAVREL_X86_KERNELS 1
#endif

bool CpuHasSsse3();
bool CpuHasAvx2();
