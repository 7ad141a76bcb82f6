// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The colouring-page conversion of a 24-megapixel picture, against the per-pixel loop and
// against a memcpy of the same bytes. Compare items_per_second (pixels per second).

#include "colouring_filter.h"
#include "column_bands.h"
#include "cpu_path.h"
#include "per_pixel_reference.h"
#include "photo_like.h"

namespace {

// state.range(0): 0 the baseline x86-64 loop, 1 the SSE4.1 loop, 2 the AVX2 loop.
void BM_ColouringWhole(benchmark::State& state) {
    const CpuPath path = CpuPath(state.range(0));
    if (!cpuPathSupported(path)) {
        state.SkipWithError("this processor lacks the instructions");
        return;
    }
    const CpuPath previous = activeCpuPath();
    setCpuPath(path);
    const Bitmap& src = photo();
    Bitmap out(src.width(), src.height());
    for (auto _ : state) {
        CustomFilterColumns(src, out, 0, src.width());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * src.width() * src.height());
    setCpuPath(previous);
}

// As the window runs it: bands of about 8 ms with a pause for events between them.
void BM_ColouringInBands(benchmark::State& state) {
    const Bitmap& src = photo();
    Bitmap out(src.width(), src.height());
    for (auto _ : state) {
        ColumnBands bands(1, src.width() - 2);
        int x0 = 0, x1 = 0;
        while (bands.next(x0, x1))
            CustomFilterColumns(src, out, x0, x1);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * src.width() * src.height());
}

// The per-pixel loop through ScanPixel and PrintPixel, on a 1500 x 1000 crop (1/16 of the
// pixels; it would take seconds per run on the whole picture). Per pixel it costs the same.
void BM_ColouringPerPixel(benchmark::State& state) {
    Bitmap src = photoLike(kPhotoWidth / 4, kPhotoHeight / 4);
    Bitmap out(src.width(), src.height());
    for (auto _ : state) {
        perPixelColouring(src, out);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * src.width() * src.height());
}

void BM_MemcpySameBytes(benchmark::State& state) {
    copyPictureBytes(state, photo());
}

} // namespace

BENCHMARK(BM_ColouringWhole)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColouringInBands)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColouringPerPixel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
