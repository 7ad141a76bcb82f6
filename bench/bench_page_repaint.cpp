// Repainting a page that shows a 24-megapixel photograph at standard size (300 x 200): the
// first paint makes the display copy, every later one only copies it, against drawing the
// photograph scaled on each paint.

#include "page_image.h"
#include "photo_like.h"

#include <QApplication>
#include <QPainter>

namespace {

const Bitmap& photo() {
    static const Bitmap picture = photoLike(kPhotoWidth, kPhotoHeight);
    return picture;
}

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
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
