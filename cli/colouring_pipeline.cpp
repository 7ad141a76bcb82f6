// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colouring_pipeline.h"

#include "bitmap.h"
#include "bmp_writer.h"
#include "colouring_filter.h"
#include "image_loader.h"
#include "jpeg_decoder.h"
#include "jpeg_writer.h"
#include "large_image.h"
#include "safe_file.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <thread>
#include <vector>

namespace {

// Output rows per band: the band's source rows are still in the processor's cache from
// decoding, and the last band, which nothing overlaps, is short.
constexpr int kBandRows = 64;
// The source rows a band reads beyond its own: one above, and two below (the filter reads
// one and fetches the next ahead).
constexpr int kMarginRows = 3;
// Bands whose source rows the ring holds at once: the decoder may run that far ahead.
constexpr int kRingBands = 4;
// Rows the decoder makes between two reports of its progress: one row of 2 x 2 blocks.
constexpr int kDecodeRows = 16;

// Thrown through WriteFileSafely when the photo turns out damaged: the file is dropped.
struct PhotoRefused {};

// Rows first to first + count - 1 of a 24-bit picture as a bitmap of their own that shares
// the picture's memory and only reads it.
Bitmap rowsOf(const uchar* bits, qsizetype stride, int width, int first, int count) {
    return Bitmap::fromImage(
        QImage(bits + first * stride, width, count, stride, QImage::Format_BGR888), 24);
}

// The photo decoded on a thread of its own into a ring of rows that the bands take in turn,
// so that its memory is touched fresh only once and stays in the processor's cache. Row y
// lies at row y mod period of the ring; the first rows of every period after the first lie
// also just past the period, so that each band's source rows are one run of the ring. The
// decoder does not overwrite rows the bands have not released. The destructor stops the
// decoding and waits for the thread, on every way out.
class DecodedRing {
public:
    explicit DecodedRing(JpegRowDecoder& decoder)
        : m_decoder(decoder), m_width(decoder.width()), m_height(decoder.height()),
          m_ring(
              newImage(m_width, std::min(m_height, m_period + kMarginRows), QImage::Format_BGR888)),
          // The decoder writes through these bits alone, so the ring's memory is never
          // copied away from them.
          m_bits(m_ring.isNull() ? nullptr : m_ring.bits()), m_stride(m_ring.bytesPerLine()),
          m_thread(m_bits ? std::thread([this] { run(); }) : std::thread()) {
        if (!m_bits)
            throw std::bad_alloc();
    }
    ~DecodedRing() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }
    DecodedRing(const DecodedRing&) = delete;
    DecodedRing& operator=(const DecodedRing&) = delete;

    // Rows first to first + count - 1 of the photo once they are decoded (the last one
    // only fetched ahead, so it may still be on its way); PhotoRefused when it is refused
    // first.
    Bitmap rows(int first, int count) {
        waitFor(first + count - 1);
        return rowsOf(m_bits, m_stride, m_width, first % m_period, count);
    }
    // The bands need no row above first any more.
    void release(int first) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_released = first;
        }
        m_changed.notify_one();
    }
    // Waits for the whole photo and the end of its stream; PhotoRefused when it is refused.
    void finish() { waitFor(m_height); }

private:
    void waitFor(int decoded) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_decoded >= decoded || m_refused; });
        if (m_refused)
            throw PhotoRefused();
    }

    uchar* ringRow(int y) const { return m_bits + (y % m_period) * m_stride; }

    // One condition serves both threads: only the other one can be waiting when either
    // calls.
    void run() {
        std::vector<uchar*> rows(kDecodeRows);
        for (int y = 0; y < m_height;) {
            const int count = std::min(kDecodeRows, m_height - y);
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                // The rows a period back, whose places these take, must be released.
                m_changed.wait(lock, [&] { return y + count <= m_released + m_period || m_stop; });
                if (m_stop)
                    return;
            }
            for (int i = 0; i < count; ++i)
                rows[size_t(i)] = ringRow(y + i);
            const JpegDecodeStatus status = m_decoder.readRows(rows.data(), count);
            const int decoded = m_decoder.nextRow();
            for (; y < decoded; ++y)
                if (y >= m_period && y % m_period < kMarginRows)
                    std::memcpy(m_bits + (m_period + y % m_period) * m_stride, ringRow(y),
                                size_t(m_stride));
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                // Rows already handed on are not taken back: the page is dropped whole.
                if (status == JpegDecodeStatus::Decoded)
                    m_decoded = decoded;
                else
                    m_refused = true;
            }
            m_changed.notify_one();
            if (status != JpegDecodeStatus::Decoded)
                return;
        }
    }

    JpegRowDecoder& m_decoder;
    const int m_width;
    const int m_height;
    const int m_period = kRingBands * kBandRows;
    QImage m_ring;
    uchar* const m_bits;
    const qsizetype m_stride;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_decoded = 0;
    int m_released = 0;
    bool m_refused = false;
    bool m_stop = false;
    std::thread m_thread; // last: it starts once everything it uses is there
};

// The colouring page's bands, from the top, handed to write(rows, top) with the row of the
// page each starts at: the white first row with the first band, the two white last rows
// with the last, as ColouringInPlace leaves them.
template <typename Write>
bool colourBands(DecodedRing& photo, int width, int height, const Write& write) {
    const int lastRow = height - 3;
    Bitmap band;
    for (int top = 1; top <= lastRow; top += kBandRows) {
        const int rows = std::min(kBandRows, lastRow - top + 1);
        const Bitmap source = photo.rows(top - 1, rows + kMarginRows);
        // The filter writes rows 1 to rows of it; the rest stays white.
        if (band.height() != source.height())
            band = ColouringOutput(source);
        CustomFilterColumns(source, band, 0, width);
        photo.release(top + rows - 1);
        const int first = top == 1 ? 0 : 1;
        const int end = top + rows - 1 == lastRow ? rows + kMarginRows : rows + 1;
        if (!write(rowsOf(band.constScanLine(0), band.bytesPerLine(), width, first, end - first),
                   top - 1 + first))
            return false;
    }
    // The rows below the last band are not read, but a photo damaged there is refused all
    // the same.
    photo.finish();
    return true;
}

} // namespace

bool SaveColouringPipelined(QIODevice& input, const QString& inputName, const QString& path,
                            SaveFormat format) {
    if (format != SaveFormat::Jpeg && format != SaveFormat::Bmp)
        return false;
    checkSaveTarget(path);
    const std::unique_ptr<JpegRowDecoder> decoder = startColourJpeg(input, inputName);
    if (!decoder || decoder->width() < 3 || decoder->height() < 4)
        return false;
    const int width = decoder->width();
    const int height = decoder->height();
    try {
        std::optional<JpegEncoder> jpeg;
        std::optional<BmpEncoder> bmp;
        if (format == SaveFormat::Jpeg)
            jpeg.emplace(width, height);
        else
            bmp.emplace(width, height);
        DecodedRing photo(*decoder);
        WriteFileSafely(path, [&](QIODevice& file) {
            if (bmp && !bmp->writeHeader(file))
                return false;
            return colourBands(photo, width, height, [&](const Bitmap& band, int top) {
                const bool written =
                    jpeg ? jpeg->writeRows(file, band) : bmp->writeRows(file, band, top);
                startWriteback(file);
                return written;
            });
        });
        return true;
    } catch (const PhotoRefused&) {
        return false;
    } catch (const std::exception&) {
        // Writing failed, or memory or a thread could not be had: the ordinary way meets
        // the same trouble and tells it as it always has.
        return false;
    }
}
