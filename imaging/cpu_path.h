// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// Which instruction set the pixel loops run on: any x86-64, SSE4.1 (with SSSE3's byte
// shuffles) or AVX2. All give the same bytes; the newer ones are faster. The fastest the processor
// has is chosen at start, and tests and benchmarks may choose the other to compare them.
enum class CpuPath { Baseline, Sse41, Avx2 };

bool cpuPathSupported(CpuPath path);
CpuPath activeCpuPath();
// Ignored when the processor lacks the path.
void setCpuPath(CpuPath path);
