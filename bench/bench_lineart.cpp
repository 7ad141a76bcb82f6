// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Clean lines of a 24-megapixel photograph at full size, and the check of the line page.

#include "clean_lines.h"
#include "clean_lines_preview.h"
#include "colourability.h"
#include "photo_like.h"

#include <QPainter>

#include <chrono>

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
        benchmark::DoNotOptimize(previewer.preview(settings, true)->regions);
}
BENCHMARK(BM_PreviewAfterAControlMoves)->Arg(1600)->Unit(benchmark::kMillisecond)->UseRealTime();

// A photograph of a cat enlarged to 24 megapixels; empty where the sample is not installed.
const Bitmap& cat() {
    static const Bitmap picture = [] {
        const QImage small(
            QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/chelsea.png"));
        if (small.isNull())
            return Bitmap(0, 0, 24);
        return Bitmap::fromImage(
            small.convertToFormat(QImage::Format_BGR888)
                .scaled(kPhotoWidth, kPhotoHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
            24);
    }();
    return picture;
}

// What the dialogs do when a new box is dragged on a 24-megapixel page: the preview drawn
// again with the subject cut out (and a remove stroke in it, with range(1)), first from a rough
// cut, then from the page's own: the time is to the page's own, first_answer the time to the
// rough one. range(0) 0: the worst case, 1: the scene, 2: the cat, boxed as a user would.
void BM_PreviewOfANewBox(benchmark::State& state) {
    const Bitmap& picture = state.range(0) == 2 ? cat() : state.range(0) ? scene() : photo();
    if (picture.isEmpty())
        return state.SkipWithError("scikit-image's sample photographs are not installed");
    const CleanLinesPreviewer previewer(picture, 1600);
    CleanLineSettings settings = defaultCleanLineSettings(kPhotoWidth, kPhotoHeight);
    // On the cat: from its ears to its paws.
    settings.subject.box = cv::Rect(kPhotoWidth / 20, kPhotoHeight / 30, kPhotoWidth * 18 / 20,
                                    kPhotoHeight * 28 / 30);
    if (state.range(1))
        settings.subject.strokes = {
            {false,
             60,
             {{kPhotoWidth / 10, kPhotoHeight / 2}, {kPhotoWidth / 5, kPhotoHeight / 2}}}};
    // Counted across runs, so that no run meets the boxes of the one before.
    static int shift = 0;
    double firstAnswer = 0;
    for (auto _ : state) {
        // A new box each time, as a user would drag (never one of the last cuts kept), or
        // with range(2) the same box while another control moves.
        if (!state.range(2)) {
            settings.subject.box.x = kPhotoWidth / 20 + (shift++ % 32) * 8;
            const auto start = std::chrono::steady_clock::now();
            CleanLineSettings rough = settings;
            rough.subject.rough = true;
            benchmark::DoNotOptimize(previewer.preview(rough, true)->regions);
            firstAnswer +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        } else {
            settings.detail = 40 + (shift++ % 2) * 20;
        }
        benchmark::DoNotOptimize(previewer.preview(settings, true)->regions);
    }
    if (!state.range(2))
        state.counters["first_answer"] =
            benchmark::Counter(firstAnswer, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PreviewOfANewBox)
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({2, 0, 0})
    ->Args({2, 1, 0})
    ->Args({2, 0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Opening the dialog: preparing the 24-megapixel page once.
void BM_OpenPreview(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CleanLinesPreviewer(photo(), 1600).isEmpty());
}
BENCHMARK(BM_OpenPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
