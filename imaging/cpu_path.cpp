// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "cpu_path.h"

namespace {

CpuPath& chosen() {
    static CpuPath path = cpuPathSupported(CpuPath::Avx2)    ? CpuPath::Avx2
                          : cpuPathSupported(CpuPath::Sse41) ? CpuPath::Sse41
                                                             : CpuPath::Baseline;
    return path;
}

} // namespace

bool cpuPathSupported(CpuPath path) {
    switch (path) {
    case CpuPath::Avx2:
        return __builtin_cpu_supports("avx2");
    case CpuPath::Sse41:
        return __builtin_cpu_supports("sse4.1");
    default:
        return true;
    }
}

CpuPath activeCpuPath() {
    return chosen();
}

void setCpuPath(CpuPath path) {
    if (cpuPathSupported(path))
        chosen() = path;
}
