// Clean lines of a 24-megapixel photograph at full size, and the check of the line page.

#include "clean_lines.h"
#include "colourability.h"
#include "photo_like.h"

namespace {

const Bitmap& photo() {
    static const Bitmap picture = photoLike(kPhotoWidth, kPhotoHeight);
    return picture;
}

void BM_CleanLines(benchmark::State& state) {
    const Bitmap& picture = photo();
    const CleanLineSettings settings = defaultCleanLineSettings(kPhotoWidth, kPhotoHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(cleanLines(picture, settings));
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}
BENCHMARK(BM_CleanLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ColourabilityCheck(benchmark::State& state) {
    const Bitmap page = *cleanLines(photo(), defaultCleanLineSettings(kPhotoWidth, kPhotoHeight));
    for (auto _ : state)
        benchmark::DoNotOptimize(ColourabilityCheck(page).tinyRegions());
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}
BENCHMARK(BM_ColourabilityCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
