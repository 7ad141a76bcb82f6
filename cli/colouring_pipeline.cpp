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
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// Output rows per band: the band's source rows are still in the processor's cache from
// decoding, and the last band, which nothing overlaps, is short.
constexpr int kBandRows = 64;
// Rows the decoder makes between two reports of its progress: one row of 2 x 2 blocks.
constexpr int kDecodeRows = 16;

// Thrown through WriteFileSafely when the photo turns out damaged: the file is dropped.
struct PhotoRefused {};

// Decodes the photo into rows on a thread of its own and says how far it has come. The
// destructor stops the decoding and waits for the thread, on every way out.
class BackgroundDecoding {
public:
    BackgroundDecoding(JpegRowDecoder& decoder, std::vector<uchar*> rows)
        : m_decoder(decoder), m_rows(std::move(rows)), m_thread([this] { run(); }) {}
    ~BackgroundDecoding() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_thread.join();
    }
    BackgroundDecoding(const BackgroundDecoding&) = delete;
    BackgroundDecoding& operator=(const BackgroundDecoding&) = delete;

    // Waits until rows 0 to end - 1 are decoded (all rows: and the end of the stream
    // checked); false when the photo is refused first.
    bool waitFor(int end) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_decoded >= end || m_refused; });
        return m_decoded >= end;
    }

private:
    void run() {
        const int height = int(m_rows.size());
        for (int y = 0; y < height;) {
            const JpegDecodeStatus status = m_decoder.readRows(m_rows.data() + y, kDecodeRows);
            y = m_decoder.nextRow();
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (status != JpegDecodeStatus::Decoded)
                m_refused = true;
            else
                m_decoded = y;
            m_changed.notify_one();
            if (m_refused || m_stop)
                return;
        }
    }

    JpegRowDecoder& m_decoder;
    const std::vector<uchar*> m_rows;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_decoded = 0;
    bool m_refused = false;
    bool m_stop = false;
    std::thread m_thread; // last: it starts once everything it uses is there
};

// Rows first to first + count - 1 of a 24-bit picture as a bitmap of their own that shares
// the picture's memory and only reads it.
Bitmap rowsOf(const uchar* bits, qsizetype stride, int width, int first, int count) {
    return Bitmap::fromImage(
        QImage(bits + first * stride, width, count, stride, QImage::Format_BGR888), 24);
}

// The colouring page's bands, from the top, handed to write(rows, top) with the row of the
// page each starts at: the white first row with the first band, the two white last rows
// with the last, as ColouringInPlace leaves them.
template <typename Write>
bool colourBands(const uchar* photo, qsizetype stride, int width, int height,
                 BackgroundDecoding& decoding, const Write& write) {
    const int lastRow = height - 3;
    Bitmap band;
    for (int top = 1; top <= lastRow; top += kBandRows) {
        const int rows = std::min(kBandRows, lastRow - top + 1);
        // The filter reads the row above each row and the one below.
        if (!decoding.waitFor(top + rows + 1))
            throw PhotoRefused();
        // The filter writes rows 1 to rows of it; the rest stays white.
        if (band.height() != rows + 3)
            band = Bitmap::whiteOutside(width, rows + 3, QRect(1, 1, width - 2, rows));
        CustomFilterColumns(rowsOf(photo, stride, width, top - 1, rows + 3), band, 0, width);
        const int first = top == 1 ? 0 : 1;
        const int end = top + rows - 1 == lastRow ? rows + 3 : rows + 1;
        if (!write(rowsOf(band.constScanLine(0), band.bytesPerLine(), width, first, end - first),
                   top - 1 + first))
            return false;
    }
    // The rows below the last band are not read, but a photo damaged there is refused all
    // the same.
    if (!decoding.waitFor(height))
        throw PhotoRefused();
    return true;
}

} // namespace

bool SaveColouringPipelined(QIODevice& input, const QString& inputName, const QString& output,
                            SaveFormat format) {
    if (format == SaveFormat::Unsupported)
        return false;
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
        QImage photo = newImage(width, height, QImage::Format_BGR888);
        if (photo.isNull())
            return false;
        // The decoder writes through these and nothing else touches the picture until the
        // decoding has ended, so its memory is never copied away from them.
        uchar* const bits = photo.bits();
        const qsizetype stride = photo.bytesPerLine();
        std::vector<uchar*> rows(static_cast<size_t>(height));
        for (int y = 0; y < height; ++y)
            rows[size_t(y)] = bits + y * stride;
        BackgroundDecoding decoding(*decoder, std::move(rows));
        WriteFileSafely(SavedFileName(output, format), [&](QIODevice& file) {
            if (bmp && !bmp->writeHeader(file))
                return false;
            return colourBands(
                bits, stride, width, height, decoding, [&](const Bitmap& band, int top) {
                    return jpeg ? jpeg->writeRows(file, band) : bmp->writeRows(file, band, top);
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
