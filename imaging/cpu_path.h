#pragma once

// Which instruction set the pixel loops run on. Both give the same bytes; the newer one is
// faster. The fastest the processor has is chosen at start, and tests and benchmarks may
// choose the other to compare them.
enum class CpuPath { Baseline, Avx2 };

bool cpuPathSupported(CpuPath path);
CpuPath activeCpuPath();
// Ignored when the processor lacks the path.
void setCpuPath(CpuPath path);
