// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Saving a 24-megapixel page as JPEG against `cjpeg -quality 90` of the same pixels and
// against plain libjpeg encoding them in memory, in the same run. Wall-clock times: cjpeg
// runs as a child process, which is how a user would compare.

#include "bitmap.h"
#include "jpeg_writer.h"
#include "photo_like.h"
#include "picture_saver.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>
#include <sys/resource.h>

namespace {

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

// The page's pixels as red, green, blue rows, as cjpeg and plain libjpeg take them.
const std::vector<JSAMPLE>& rgbPixels() {
    static const std::vector<JSAMPLE> pixels = [] {
        const Bitmap& bitmap = photo();
        std::vector<JSAMPLE> rgb(size_t(bitmap.width()) * size_t(bitmap.height()) * 3);
        JSAMPLE* out = rgb.data();
        for (int y = 0; y < bitmap.height(); ++y) {
            const uchar* in = bitmap.constScanLine(y);
            for (int x = 0; x < bitmap.width(); ++x, out += 3, in += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        }
        return rgb;
    }();
    return pixels;
}

const QString& ppmPath() {
    static const QString path = [] {
        const QString file = workDir().filePath(QStringLiteral("page.ppm"));
        QFile out(file);
        const std::vector<JSAMPLE>& rgb = rgbPixels();
        const QByteArray header =
            QStringLiteral("P6\n%1 %2\n255\n").arg(kPhotoWidth).arg(kPhotoHeight).toLatin1();
        if (!out.open(QIODevice::WriteOnly) || out.write(header) != header.size() ||
            out.write(reinterpret_cast<const char*>(rgb.data()), qint64(rgb.size())) !=
                qint64(rgb.size()))
            throw std::runtime_error("cannot write the benchmark's PPM");
        return file;
    }();
    return path;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void setCounters(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}

// The program's save: encode in memory, write a temporary file, flush it, rename it.
void BM_SavePictureJpeg(benchmark::State& state) {
    const QString target = workDir().filePath(QStringLiteral("saved.jpg"));
    for (auto _ : state)
        SavePicture(photo(), target, SaveFormat::Jpeg);
    setCounters(state);
}

void BM_EncodeJpeg(benchmark::State& state) {
    for (auto _ : state) {
        const QByteArray stream = EncodeJpeg(photo());
        benchmark::DoNotOptimize(stream.constData());
    }
    setCounters(state);
}

// libjpeg with the same settings from ready red-green-blue rows into jpeg_mem_dest.
void BM_PlainLibjpegInMemory(benchmark::State& state) {
    const std::vector<JSAMPLE>& rgb = rgbPixels();
    for (auto _ : state) {
        jpeg_compress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&info, &buffer, &size);
        info.image_width = kPhotoWidth;
        info.image_height = kPhotoHeight;
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 90, TRUE);
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row =
                const_cast<JSAMPLE*>(rgb.data()) + size_t(info.next_scanline) * kPhotoWidth * 3;
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
    }
    setCounters(state);
}

void BM_Cjpeg(benchmark::State& state) {
    const QStringList arguments{QStringLiteral("-quality"), QStringLiteral("90"),
                                QStringLiteral("-outfile"),
                                workDir().filePath(QStringLiteral("cjpeg.jpg")), ppmPath()};
    const double before = childCpuSeconds();
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("cjpeg"), arguments) != 0)
            state.SkipWithError("cjpeg (libjpeg-turbo-progs) did not run");
    }
    // The CPU column counts this process only; on a busy machine cjpeg's own CPU time is the
    // steadier figure to set beside the CPU time of the program's save.
    state.counters["cjpeg_cpu_ms"] =
        1000 * (childCpuSeconds() - before) / double(state.iterations());
    setCounters(state);
}

} // namespace

BENCHMARK(BM_Cjpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_PlainLibjpegInMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_EncodeJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_SavePictureJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

BENCHMARK_MAIN();
