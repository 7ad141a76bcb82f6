// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "large_image.h"

#include <cstdint>
#include <new>

#include <sys/mman.h>

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

struct Mapping {
    void* start;
    size_t length;
};

void unmap(void* info) {
    auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->start, mapping->length);
    delete mapping;
}

// length bytes (a multiple of kHugePage) at an address that is a multiple of kHugePage,
// or nullptr. The kernel only backs aligned 2 MiB stretches with huge pages, so a little
// more is mapped and the ragged ends are given back.
void* mapAligned(size_t length) {
    void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const uintptr_t first = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t start = (first + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    if (start > first)
        munmap(raw, start - first);
    const size_t tail = kHugePage - (start - first);
    if (tail > 0)
        munmap(reinterpret_cast<void*>(start + length), tail);
    // Refused (no huge-page support, or switched off): the mapping still serves, with
    // ordinary pages.
    madvise(reinterpret_cast<void*>(start), length, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(start);
}

} // namespace

QImage newImage(int width, int height, QImage::Format format) {
    if (width <= 0 || height <= 0)
        return QImage(width, height, format);
    const qint64 bytesPerLine =
        (qint64(width) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const qint64 bytes = bytesPerLine * height;
    if (bytes < qint64(kHugePage) || bytes > qint64(SIZE_MAX / 2))
        return QImage(width, height, format);
    const size_t length = (size_t(bytes) + kHugePage - 1) & ~(kHugePage - 1);
    void* start = mapAligned(length);
    if (!start)
        return QImage(width, height, format);
    auto* mapping = new (std::nothrow) Mapping{start, length};
    if (!mapping) {
        munmap(start, length);
        return QImage(width, height, format);
    }
    QImage image(static_cast<uchar*>(start), width, height, qsizetype(bytesPerLine), format, unmap,
                 mapping);
    if (image.isNull()) {
        unmap(mapping);
        return QImage(width, height, format);
    }
    return image;
}
