// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Clean lines of a 24-megapixel photograph at full size, and the check of the line page.

#include "clean_lines.h"
#include "clean_lines_preview.h"
#include "colourability.h"
#include "photo_like.h"

#include <QPainter>

namespace {

// A scene closer to what people convert: some forty soft-edged shapes of many colours and
// sizes over a sky-like gradient, under noise.
const Bitmap& scene() {
    static const Bitmap picture = [] {
        QImage image(kPhotoWidth / 4, kPhotoHeight / 4, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient sky(0, 0, 0, image.height());
        sky.setColorAt(0, QColor(120, 180, 235));
        sky.setColorAt(1, QColor(215, 235, 250));
        painter.fillRect(image.rect(), sky);
        std::mt19937 random(3);
        std::uniform_int_distribution<int> x(0, image.width()), y(0, image.height()), size(20, 400),
            colour(0, 255);
        painter.setPen(Qt::NoPen);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 40; ++i) {
            painter.setBrush(QColor(colour(random), colour(random), colour(random)));
            const QRect box(x(random), y(random), size(random), size(random));
            if (i % 2)
                painter.drawEllipse(box);
            else
                painter.drawRect(box);
        }
        painter.end();
        const QImage large = image.scaled(kPhotoWidth, kPhotoHeight, Qt::IgnoreAspectRatio,
                                          Qt::SmoothTransformation);
        Bitmap bitmap = Bitmap::fromImage(large, 24);
        std::uniform_int_distribution<int> noise(-8, 8);
        for (int row = 0; row < kPhotoHeight; ++row) {
            uchar* line = bitmap.scanLine(row);
            for (int i = 0; i < 3 * kPhotoWidth; ++i)
                line[i] = uchar(std::clamp(line[i] + noise(random), 0, 255));
        }
        return bitmap;
    }();
    return picture;
}

// photo(), the pixel benchmarks' photograph, has edges 97 and 61 pixels apart all over the
// picture, under noise: far more lines than a photograph gives, so the worst case.
void BM_CleanLines(benchmark::State& state) {
    const Bitmap& picture = state.range(0) ? scene() : photo();
    const CleanLineSettings settings = defaultCleanLineSettings(kPhotoWidth, kPhotoHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(cleanLines(picture, settings));
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}
// 0: the worst case, 1: the scene.
BENCHMARK(BM_CleanLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a vector book adds for a page of clean lines: the drawing of its centre lines, from
// the source its conversion kept. 0: the worst case, 1: the scene.
void BM_CleanLinesDrawing(benchmark::State& state) {
    const CleanLinesSource source(state.range(0) ? scene() : photo());
    const CleanLineSettings settings = defaultCleanLineSettings(kPhotoWidth, kPhotoHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(source.drawing(settings).strokes.size());
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}
BENCHMARK(BM_CleanLinesDrawing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ColourabilityCheck(benchmark::State& state) {
    const Bitmap page = *cleanLines(photo(), defaultCleanLineSettings(kPhotoWidth, kPhotoHeight));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ColourabilityCheck(page, ColourabilityCheck::kMinimumAcrossMm).tinyRegions());
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}
BENCHMARK(BM_ColourabilityCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the clean-lines dialog does when a control moves: the page for the new settings (its
// source made once, when the dialog opens), its check, and the picture shrunk for the screen.
void BM_PreviewAfterAControlMoves(benchmark::State& state) {
    const CleanLinesPreviewer previewer(photo(), int(state.range(0)));
    const CleanLineSettings settings = defaultCleanLineSettings(kPhotoWidth, kPhotoHeight);
    for (auto _ : state)
        benchmark::DoNotOptimize(previewer.preview(settings, true).regions);
}
BENCHMARK(BM_PreviewAfterAControlMoves)->Arg(1600)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the dialog: preparing the 24-megapixel page once.
void BM_OpenPreview(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CleanLinesPreviewer(photo(), 1600).isEmpty());
}
BENCHMARK(BM_OpenPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
