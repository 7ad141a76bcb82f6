// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "jpeg_decoder.h"

#include "jpeg_markers.h"
#include "large_image.h"

#include <QElapsedTimer>

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// Row buffers, tables and the decoder's state: generously above what libjpeg takes for
// a sequential picture of the widest size.
constexpr qint64 kRowWorkingBytes = qint64(16) << 20;

// libjpeg reports fatal errors by calling error_exit, which must not return: it jumps
// back into the function that started the libjpeg call. Only the small functions below
// call libjpeg, and none holds an object with a destructor, so the jump skips nothing.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool damaged;
    bool endMissing; // the data ran out where the end marker should be
    int fatalCode;
};

// Codes of the decode's own reasons to stop, beside libjpeg's.
constexpr int kTooManyScans = -1;
constexpr int kOutOfTime = -2;

void onError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->fatalCode = info->err->msg_code;
    std::longjmp(errors->jump, 1);
}

bool harmlessWarning(int code) {
    return code == JWRN_EXTRANEOUS_DATA || code == JWRN_ADOBE_XFORM || code == JWRN_JFIF_MAJOR ||
           code == JWRN_BOGUS_ICC;
}

void onMessage(j_common_ptr info, int level) {
    // Level -1 is a warning; every other warning means libjpeg has made up data (grey for
    // a cut file, zeros for a scan closed early or a bad code). The data running out is
    // damage only when more was needed: libjpeg then also warns of a marker hit too soon.
    if (level >= 0)
        return;
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (info->err->msg_code == JWRN_JPEG_EOF)
        errors->endMissing = true;
    else if (!harmlessWarning(info->err->msg_code))
        errors->damaged = true;
}

// libjpeg's time on the picture, counted only while it works, against the limit.
struct ProgressMonitor {
    jpeg_progress_mgr base;
    QElapsedTimer running;
    qint64 spentMs;
    qint64 limitMs;
};

void stop(j_common_ptr info, int code) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->fatalCode = code;
    std::longjmp(errors->jump, 1);
}

// Called between rows of blocks while libjpeg reads scans and gives rows.
void onProgress(j_common_ptr info) {
    auto* progress = reinterpret_cast<ProgressMonitor*>(info->progress);
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans)
        stop(info, kTooManyScans);
    if (progress->running.isValid() &&
        progress->spentMs + progress->running.elapsed() > progress->limitMs)
        stop(info, kOutOfTime);
}

// Runs the monitor's clock while it lives.
class WorkingTime {
public:
    explicit WorkingTime(ProgressMonitor& progress) : m_progress(progress) {
        m_progress.running.start();
    }
    ~WorkingTime() {
        m_progress.spentMs += m_progress.running.elapsed();
        m_progress.running.invalidate();
    }
    WorkingTime(const WorkingTime&) = delete;
    WorkingTime& operator=(const WorkingTime&) = delete;

private:
    ProgressMonitor& m_progress;
};

class Decompressor {
public:
    Decompressor() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = onError;
        errors.base.emit_message = onMessage;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    ProgressMonitor progress{};
};

bool readHeader(Decompressor* jpeg, const QByteArray* file) {
    if (setjmp(jpeg->errors.jump))
        return false;
    jpeg_create_decompress(&jpeg->info);
    // Set after creation, which clears the structure.
    jpeg->progress.base.progress_monitor = onProgress;
    jpeg->info.progress = &jpeg->progress.base;
    jpeg_mem_src(&jpeg->info, reinterpret_cast<const unsigned char*>(file->constData()),
                 static_cast<unsigned long>(file->size()));
    return jpeg_read_header(&jpeg->info, TRUE) == JPEG_HEADER_OK;
}

// Decodes rows first to end - 1 of the picture into rows (rows[0] for row first); CMYK
// goes through cmykRow and is converted into the picture's RGB32 rows. Finishes the
// decompression after the last row. False when libjpeg stopped with an error.
bool decodeRows(Decompressor* jpeg, uchar* const* rows, JDIMENSION first, JDIMENSION end,
                JSAMPROW cmykRow) {
    if (setjmp(jpeg->errors.jump))
        return false;
    jpeg_decompress_struct* info = &jpeg->info;
    while (info->output_scanline < end) {
        // Made-up data already: the picture is refused, so the rest need not be decoded.
        if (jpeg->errors.damaged)
            return true;
        uchar* const* next = rows + (info->output_scanline - first);
        if (cmykRow) {
            // Converted as Qt's JPEG reader does (Adobe's inverted CMYK): k * c / 255.
            jpeg_read_scanlines(info, &cmykRow, 1);
            auto* out = reinterpret_cast<QRgb*>(*next);
            const uchar* in = cmykRow;
            for (JDIMENSION x = 0; x < info->output_width; ++x, in += 4) {
                const int k = in[3];
                out[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
            }
        } else {
            const JDIMENSION left = end - info->output_scanline;
            jpeg_read_scanlines(info, const_cast<JSAMPARRAY>(next), left < 16 ? left : 16);
        }
    }
    if (info->output_scanline == info->output_height && !jpeg->errors.damaged)
        jpeg_finish_decompress(info);
    return true;
}

bool startDecompress(Decompressor* jpeg) {
    if (setjmp(jpeg->errors.jump))
        return false;
    jpeg_start_decompress(&jpeg->info);
    return true;
}

// Chooses the output colour space; gives the picture's format or Format_Invalid.
QImage::Format chooseOutput(jpeg_decompress_struct& info) {
    if (info.num_components == 3 && info.jpeg_color_space != JCS_CMYK &&
        info.jpeg_color_space != JCS_YCCK) {
        info.out_color_space = JCS_EXT_BGR;
        return QImage::Format_BGR888;
    }
    if (info.num_components == 1) {
        info.out_color_space = JCS_GRAYSCALE;
        return QImage::Format_Grayscale8;
    }
    if (info.num_components == 4 &&
        (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)) {
        info.out_color_space = JCS_CMYK;
        return QImage::Format_RGB32;
    }
    return QImage::Format_Invalid;
}

qint64 coefficientBytes(const jpeg_decompress_struct& info) {
    // A single-scan sequential file is decoded a row of blocks at a time; anything else
    // keeps every coefficient of the picture until the last scan.
    if (!info.progressive_mode && info.comps_in_scan >= info.num_components)
        return 0;
    qint64 bytes = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const qint64 h = qMax(1, component.h_samp_factor);
        const qint64 v = qMax(1, component.v_samp_factor);
        const qint64 columns = (qint64(component.width_in_blocks) + h - 1) / h * h;
        const qint64 rows = (qint64(component.height_in_blocks) + v - 1) / v * v;
        bytes += columns * rows * qint64(sizeof(JBLOCK));
    }
    return bytes;
}

// Whether a file whose end marker is missing still brought all of its picture. A single
// scan that ran short has already been reported by libjpeg; a progressive file must have
// brought every bit of every coefficient, which its last scans do. Other multi-scan files
// cannot tell a missing scan from a missing end, and count as cut.
bool completeWithoutEnd(const jpeg_decompress_struct& info) {
    if (!info.progressive_mode)
        return info.comps_in_scan >= info.num_components;
    for (int c = 0; c < info.num_components; ++c) {
        for (int k = 0; k < DCTSIZE2; ++k) {
            if (info.coef_bits[c][k] != 0)
                return false;
        }
    }
    return true;
}

} // namespace

qint64 jpegTimeLimitMs(int width, int height) {
    return qMax<qint64>(30'000, qint64(width) * height / 10'000);
}

std::optional<JpegHeader> readJpegHeader(const QByteArray& file) {
    if (jpegScanCount(file) > kMaxJpegScans)
        return std::nullopt;
    Decompressor jpeg;
    if (!readHeader(&jpeg, &file))
        return std::nullopt;
    JpegHeader header;
    header.format = chooseOutput(jpeg.info);
    if (header.format == QImage::Format_Invalid)
        return std::nullopt;
    header.width = int(jpeg.info.image_width);
    header.height = int(jpeg.info.image_height);
    header.workingBytes = coefficientBytes(jpeg.info) + kRowWorkingBytes;
    header.orientation = jpegExifOrientation(file);
    return header;
}

struct JpegRowDecoder::State {
    Decompressor jpeg;
    QImage::Format format = QImage::Format_Invalid;
    std::vector<JSAMPLE> cmykRow;
};

JpegRowDecoder::JpegRowDecoder(const QByteArray& file)
    : m_file(file), m_state(std::make_unique<State>()) {}

JpegRowDecoder::~JpegRowDecoder() = default;

int JpegRowDecoder::width() const {
    return int(m_state->jpeg.info.image_width);
}

int JpegRowDecoder::height() const {
    return int(m_state->jpeg.info.image_height);
}

QImage::Format JpegRowDecoder::format() const {
    return m_state->format;
}

int JpegRowDecoder::nextRow() const {
    return int(m_state->jpeg.info.output_scanline);
}

namespace {

JpegDecodeStatus failure(const Decompressor& jpeg) {
    switch (jpeg.errors.fatalCode) {
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
        return JpegDecodeStatus::TooLarge;
    case kOutOfTime:
        return JpegDecodeStatus::Abandoned;
    default:
        return JpegDecodeStatus::Damaged;
    }
}

} // namespace

JpegDecodeStatus JpegRowDecoder::start(qint64 maxWorkingBytes, qint64 timeLimitMs) {
    Decompressor& jpeg = m_state->jpeg;
    if (jpegScanCount(m_file) > kMaxJpegScans || !readHeader(&jpeg, &m_file))
        return JpegDecodeStatus::Damaged;
    jpeg.progress.limitMs = timeLimitMs >= 0 ? timeLimitMs : jpegTimeLimitMs(width(), height());
    m_state->format = chooseOutput(jpeg.info);
    if (m_state->format == QImage::Format_Invalid || jpeg.errors.damaged)
        return JpegDecodeStatus::Damaged;
    if (coefficientBytes(jpeg.info) + kRowWorkingBytes > maxWorkingBytes)
        return JpegDecodeStatus::TooLarge;
    jpeg.info.mem->max_memory_to_use = long(qMin<qint64>(maxWorkingBytes, LONG_MAX));
    try {
        if (m_state->format == QImage::Format_RGB32)
            m_state->cmykRow.resize(size_t(width()) * 4);
    } catch (const std::bad_alloc&) {
        return JpegDecodeStatus::TooLarge;
    }
    {
        const WorkingTime working(jpeg.progress);
        if (!startDecompress(&jpeg))
            return failure(jpeg);
    }
    // A file of several scans has been read whole by now.
    if (jpeg.errors.endMissing && !completeWithoutEnd(jpeg.info))
        jpeg.errors.damaged = true;
    return jpeg.errors.damaged ? JpegDecodeStatus::Damaged : JpegDecodeStatus::Decoded;
}

JpegDecodeStatus JpegRowDecoder::readRows(uchar* const* rows, int count) {
    Decompressor& jpeg = m_state->jpeg;
    count = qMin(count, height() - nextRow());
    if (jpeg.errors.damaged)
        return JpegDecodeStatus::Damaged;
    JSAMPROW cmykRow = m_state->cmykRow.empty() ? nullptr : m_state->cmykRow.data();
    const JDIMENSION first = jpeg.info.output_scanline;
    const WorkingTime working(jpeg.progress);
    if (!decodeRows(&jpeg, rows, first, first + JDIMENSION(count), cmykRow))
        return failure(jpeg);
    return jpeg.errors.damaged ? JpegDecodeStatus::Damaged : JpegDecodeStatus::Decoded;
}

JpegDecodeStatus decodeJpeg(const QByteArray& file, qint64 maxWorkingBytes, QImage& image,
                            qint64 timeLimitMs) {
    JpegRowDecoder decoder(file);
    if (const JpegDecodeStatus status = decoder.start(maxWorkingBytes, timeLimitMs);
        status != JpegDecodeStatus::Decoded)
        return status;
    // No fill: every row is written by the decoder, or the picture is refused.
    QImage pixels = newImage(decoder.width(), decoder.height(), decoder.format());
    if (pixels.isNull())
        return JpegDecodeStatus::TooLarge;
    const int height = decoder.height();
    std::vector<uchar*> rows;
    try {
        rows.resize(size_t(height));
    } catch (const std::bad_alloc&) {
        return JpegDecodeStatus::TooLarge;
    }
    for (int y = 0; y < height; ++y)
        rows[size_t(y)] = pixels.scanLine(y);
    if (const JpegDecodeStatus status = decoder.readRows(rows.data(), height);
        status != JpegDecodeStatus::Decoded)
        return status;
    image = pixels;
    return JpegDecodeStatus::Decoded;
}
