// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Loading a 24-megapixel JPEG into a page bitmap against plain libjpeg decoding of the
// same file, in the same run.

#include "bitmap.h"
#include "image_loader.h"
#include "photo_like.h"

#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace {

// The photograph is made once per run, in a directory removed at exit.
const QString& photoPath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("photo.jpg"));
        QImageWriter writer(file, "jpeg");
        writer.setQuality(90);
        if (!writer.write(photoLike(kPhotoWidth, kPhotoHeight).image()))
            throw std::runtime_error("cannot write the benchmark photograph");
        return file;
    }();
    return path;
}

void BM_ImageLoaderGP(benchmark::State& state) {
    const QString& path = photoPath();
    for (auto _ : state) {
        Bitmap page;
        if (!ImageLoaderGP(path, page) || page.depth() != 24)
            state.SkipWithError("the photograph did not load as a 24-bit page");
        benchmark::DoNotOptimize(page.constScanLine(0));
    }
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}

// libjpeg's defaults (RGB output) into one buffer allocated for each picture, as any
// decode of a new picture needs.
void BM_PlainLibjpeg(benchmark::State& state) {
    const QByteArray path = photoPath().toLocal8Bit();
    for (auto _ : state) {
        std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.constData(), "rb"), std::fclose);
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file.get());
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        const size_t rowBytes = size_t(info.output_width) * size_t(info.output_components);
        std::unique_ptr<JSAMPLE[]> pixels(new JSAMPLE[rowBytes * info.output_height]);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.get() + rowBytes * info.output_scanline;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.get());
    }
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}

// What Qt alone gives: its JPEG plugin decodes to 32 bits, then a conversion to the page's
// 24-bit rows follows.
void BM_QtReaderThenConversion(benchmark::State& state) {
    const QString& path = photoPath();
    for (auto _ : state) {
        QImageReader reader(path);
        const QImage page = reader.read().convertToFormat(QImage::Format_BGR888);
        benchmark::DoNotOptimize(page.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}

} // namespace

BENCHMARK(BM_QtReaderThenConversion)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_PlainLibjpeg)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ImageLoaderGP)->Unit(benchmark::kMillisecond)->MinTime(3.0);

BENCHMARK_MAIN();
