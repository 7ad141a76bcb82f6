// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// A colouring book of 20 pages from 12-megapixel pictures, written as PDF into memory: line
// pages traced into curves, and photograph pages as images.

#include "bitmap.h"
#include "colouring_book.h"
#include "line_tracing.h"
#include "photo_like.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <random>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kPages = 20;

// A clean line drawing of a 12-megapixel page: black outlines 3 pixels wide of many
// overlapping shapes, crossing into thousands of closed regions, about 5% ink.
Bitmap linePage(unsigned seed) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 3));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> x(0, kWidth), y(0, kHeight), size(20, 400);
    for (int i = 0; i < 600; ++i) {
        const QRect box(x(random), y(random), size(random), size(random));
        if (i % 3 == 0) {
            painter.drawRect(box);
        } else if (i % 3 == 1) {
            painter.drawEllipse(box);
        } else {
            QPainterPath wave(box.topLeft());
            wave.cubicTo(box.topRight(), box.bottomLeft(), box.bottomRight());
            painter.drawPath(wave);
        }
    }
    painter.end();
    return Bitmap::fromImage(image, 24);
}

const QList<Bitmap>& linePages() {
    static const QList<Bitmap> pages = [] {
        QList<Bitmap> made;
        for (unsigned i = 0; i < 4; ++i)
            made.append(linePage(i + 1));
        return made;
    }();
    return pages;
}

void BM_TraceLinePage(benchmark::State& state) {
    const QImage page = linePages().first().image();
    for (auto _ : state) {
        QPainterPath lines;
        benchmark::DoNotOptimize(TraceBlackAndWhite(page, TracingLimits(), lines));
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_TraceLinePage)->Unit(benchmark::kMillisecond);

// kPages pages made by page(i).
void writeBook(benchmark::State& state, const std::function<Bitmap(int)>& page, bool vector) {
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        ColouringBook book(pdf, BookSettings{BookPaper::A4, 10, vector}, QStringLiteral("bench"));
        for (int i = 0; i < kPages; ++i)
            book.addPage(page(i));
        book.finish();
        state.counters["MB"] = double(pdf.size()) / 1e6;
    }
}

void BM_VectorBookOfLinePages(benchmark::State& state) {
    writeBook(
        state, [](int i) { return linePages()[i % linePages().size()]; }, true);
}
BENCHMARK(BM_VectorBookOfLinePages)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BookOfPhotographs(benchmark::State& state) {
    const Bitmap photo = photoLike(kWidth, kHeight);
    writeBook(
        state,
        [&photo](int i) {
            // A picture of its own, as every page of a real book is: the writer stores a
            // picture it has seen before only once.
            Bitmap page = photo;
            page.scanLine(0)[0] = uchar(i);
            return page;
        },
        true);
}
BENCHMARK(BM_BookOfPhotographs)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    // The PDF writer draws with QPainter, which needs a GUI application but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
