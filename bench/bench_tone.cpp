// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Lighter and darker on a 24-megapixel picture, against the per-pixel loop and against a
// memcpy of the same bytes. Compare items_per_second (pixels per second).

#include "column_bands.h"
#include "per_pixel_reference.h"
#include "photo_like.h"
#include "tone.h"

namespace {

// Into a separate output, as the window does (state.range(0) is the mode).
void BM_ToneIntoOutput(benchmark::State& state) {
    TGammaImage gamma;
    gamma.Mode = quint8(state.range(0));
    const ToneTable table(gamma);
    const Bitmap& src = photo();
    Bitmap out(src.width(), src.height());
    for (auto _ : state) {
        ToneColumns(src, out, table, 0, src.width());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * src.width() * src.height());
}

// As the window runs it: bands of about 8 ms with a pause for events between them.
void BM_ToneInBands(benchmark::State& state) {
    TGammaImage gamma;
    const ToneTable table(gamma);
    const Bitmap& src = photo();
    Bitmap out(src.width(), src.height());
    for (auto _ : state) {
        ColumnBands bands(0, src.width() - 1);
        int x0 = 0, x1 = 0;
        while (bands.next(x0, x1))
            ToneColumns(src, out, table, x0, x1);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * src.width() * src.height());
}

// In place, as the command-line tool does.
void BM_ToneInPlace(benchmark::State& state) {
    TGammaImage gamma;
    const ToneTable table(gamma);
    Bitmap picture = photo();
    picture.scanLine(0); // its own pixels, not shared with photo()
    for (auto _ : state) {
        ToneColumns(picture, picture, table, 0, picture.width());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * picture.width() * picture.height());
}

// The per-pixel loop on a 1500 x 1000 crop; per pixel it costs the same as on the whole.
void BM_TonePerPixel(benchmark::State& state) {
    TGammaImage gamma;
    Bitmap src = photoLike(kPhotoWidth / 4, kPhotoHeight / 4);
    Bitmap out(src.width(), src.height());
    for (auto _ : state) {
        perPixelTone(src, out, gamma);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * src.width() * src.height());
}

void BM_MemcpySameBytes(benchmark::State& state) {
    copyPictureBytes(state, photo());
}

} // namespace

BENCHMARK(BM_ToneIntoOutput)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneInBands)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TonePerPixel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
