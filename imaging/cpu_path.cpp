#include "cpu_path.h"

namespace {

CpuPath& chosen() {
    static CpuPath path = cpuPathSupported(CpuPath::Avx2) ? CpuPath::Avx2 : CpuPath::Baseline;
    return path;
}

} // namespace

bool cpuPathSupported(CpuPath path) {
    return path == CpuPath::Baseline || __builtin_cpu_supports("avx2");
}

CpuPath activeCpuPath() {
    return chosen();
}

void setCpuPath(CpuPath path) {
    if (cpuPathSupported(path))
        chosen() = path;
}
