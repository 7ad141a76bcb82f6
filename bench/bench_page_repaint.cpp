// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Repainting a page that shows a 24-megapixel photograph at standard size (300 x 200): the
// first paint makes the display copy, every later one only copies it, against drawing the
// photograph scaled on each paint; and at actual size, where only the exposed part is drawn.

#include "page_image.h"
#include "photo_like.h"
#include "window_bench_main.h"

#include <QApplication>
#include <QPainter>

namespace {

void BM_RepaintFromDisplayCopy(benchmark::State& state) {
    TPageImage page;
    page.setPicture(photo());
    page.resize(300, 200);
    QImage screen(300, 200, QImage::Format_RGB32);
    page.render(&screen); // the first paint makes the copy
    for (auto _ : state) {
        page.render(&screen);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RepaintFromDisplayCopy)->Unit(benchmark::kMillisecond);

void BM_FirstPaintMakesTheSmoothCopy(benchmark::State& state) {
    QImage screen(300, 200, QImage::Format_RGB32);
    for (auto _ : state) {
        TPageImage page;
        page.setPicture(photo());
        page.resize(300, 200);
        page.render(&screen);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FirstPaintMakesTheSmoothCopy)->Unit(benchmark::kMillisecond);

// At actual size in a window of 1600 x 1000: a repaint draws the part that shows.
void BM_RepaintActualSizeExposedPart(benchmark::State& state) {
    TPageImage page;
    page.setPicture(photo());
    page.resize(kPhotoWidth, kPhotoHeight);
    QImage screen(1600, 1000, QImage::Format_RGB32);
    const QRegion exposed(2000, 1500, 1600, 1000);
    for (auto _ : state) {
        page.render(&screen, QPoint(), exposed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RepaintActualSizeExposedPart)->Unit(benchmark::kMillisecond);

void BM_DrawScaledOnEveryPaint(benchmark::State& state) {
    QImage screen(300, 200, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&screen);
        painter.drawImage(QRect(0, 0, 300, 200), photo().image());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawScaledOnEveryPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [] { photo(); });
}
