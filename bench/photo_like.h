// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// Pictures and the memcpy yardstick shared by the pixel-loop benchmarks.

#include "bitmap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

// The size of a 24-megapixel photograph.
constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;

// A 24-bit picture with smooth gradients, edges and noise, like a photograph.
inline Bitmap photoLike(int width, int height) {
    Bitmap bitmap(width, height);
    std::mt19937 random(1);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < height; ++y) {
        uchar* row = bitmap.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int edge = ((x / 97) + (y / 61)) % 2 ? 60 : 0;
            row[3 * x] = uchar(std::clamp(x * 200 / width + edge + noise(random), 0, 255));
            row[3 * x + 1] = uchar(std::clamp(y * 180 / height + edge + noise(random), 0, 255));
            row[3 * x + 2] = uchar(std::clamp((x + y) % 256 / 2 + noise(random), 0, 255));
        }
    }
    return bitmap;
}

// The photograph of kPhotoWidth x kPhotoHeight, made once per program.
inline const Bitmap& photo() {
    static const Bitmap picture = photoLike(kPhotoWidth, kPhotoHeight);
    return picture;
}

// Copies all pixel bytes of the picture into a buffer that is already in memory.
inline void copyPictureBytes(benchmark::State& state, const Bitmap& picture) {
    const size_t bytes = size_t(picture.bytesPerLine()) * size_t(picture.height());
    std::vector<uchar> target(bytes, 1);
    for (auto _ : state) {
        std::memcpy(target.data(), picture.constScanLine(0), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * picture.width() * picture.height());
    state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}
