// Clean lines of a 24-megapixel photograph at full size, and the check of the line page.

#include "clean_lines.h"
#include "clean_lines_preview.h"
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

// What the clean-lines dialog does when a control moves: the preview of the shrunk copy
// (made once, when the dialog opens) and its check.
void BM_PreviewAfterAControlMoves(benchmark::State& state) {
    double scale = 1.0;
    const Bitmap shrunk = shrinkForPreview(photo(), int(state.range(0)), scale);
    const CleanLineSettings settings = defaultCleanLineSettings(kPhotoWidth, kPhotoHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(previewCleanLines(shrunk, scale, settings, true).regions);
}
BENCHMARK(BM_PreviewAfterAControlMoves)->Arg(720)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the dialog: shrinking the 24-megapixel page once.
void BM_ShrinkForPreview(benchmark::State& state) {
    double scale = 1.0;
    for (auto _ : state)
        benchmark::DoNotOptimize(shrinkForPreview(photo(), 720, scale));
}
BENCHMARK(BM_ShrinkForPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
