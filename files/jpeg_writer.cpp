// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "jpeg_writer.h"

#include "app_error.h"
#include "bitmap.h"

#include <QBuffer>

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <QCoreApplication>
#include <jerror.h>

namespace {

constexpr int kQuality = 90;

// libjpeg reports a fatal error by calling error_exit, which must not return. It jumps
// back into the function that called libjpeg (see start and compress below), so no C++
// exception ever travels through libjpeg's C frames.
struct ErrorManager {
    jpeg_error_mgr pub; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings and trace messages are not shown.
void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

// Hands the stream to a device a block at a time. The first block (the headers) is made
// before there is a device; libjpeg's headers are far smaller than a block.
struct DeviceDestination {
    jpeg_destination_mgr pub; // first, as with the error manager
    QIODevice* device;
    bool writeFailed;
    std::vector<JOCTET> block;
};

constexpr size_t kBlockBytes = size_t(64) << 10;

DeviceDestination& destinationOf(j_compress_ptr cinfo) {
    return *reinterpret_cast<DeviceDestination*>(cinfo->dest);
}

void initDestination(j_compress_ptr cinfo) {
    DeviceDestination& dest = destinationOf(cinfo);
    dest.pub.next_output_byte = dest.block.data();
    dest.pub.free_in_buffer = dest.block.size();
}

// Writes the block's first bytes. A device that takes less stops libjpeg; so does one that
// runs out of memory (an array growing), as libjpeg's memory error raised once the C++
// handler has finished: no exception may cross libjpeg's frames.
void writeBlock(j_compress_ptr cinfo, size_t bytes) {
    DeviceDestination& dest = destinationOf(cinfo);
    bool written = false;
    bool outOfMemory = false;
    try {
        written =
            dest.device && dest.device->write(reinterpret_cast<const char*>(dest.block.data()),
                                              qint64(bytes)) == qint64(bytes);
    } catch (...) {
        outOfMemory = true;
    }
    if (outOfMemory)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    if (!written) {
        dest.writeFailed = true;
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
    DeviceDestination& dest = destinationOf(cinfo);
    writeBlock(cinfo, dest.block.size());
    initDestination(cinfo);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    DeviceDestination& dest = destinationOf(cinfo);
    writeBlock(cinfo, dest.block.size() - dest.pub.free_in_buffer);
}

// The page's blue, green, red bytes as red, green, blue.
void toRgb(const uchar* bgr, JSAMPLE* rgb, int width) {
    for (int x = 0; x < width; ++x, bgr += 3, rgb += 3) {
        rgb[0] = bgr[2];
        rgb[1] = bgr[1];
        rgb[2] = bgr[0];
    }
}

} // namespace

struct JpegEncoder::State {
    State(int width, int height) : width(width), height(height), row(size_t(width) * 3) {
        dest.block.resize(kBlockBytes);
    }
    ~State() { jpeg_destroy_compress(&cinfo); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    Bitmap picture; // what writeTo compresses; empty when the rows come a band at a time
    int width;
    int height;
    std::vector<JSAMPLE> row;
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    DeviceDestination dest{};
};

namespace {

EAppError jpegError(int code) {
    return EAppError(QCoreApplication::translate("JpegWriter", "JPEG エラー #%1").arg(code));
}

// The functions that call libjpeg, each with its own setjmp: a jump back skips no frame
// but theirs, and they hold no object with a destructor. Each returns 0 or the message
// code of the error that stopped libjpeg.
int start(JpegEncoder::State* state) {
    jpeg_compress_struct* cinfo = &state->cinfo;
    if (setjmp(state->errors.jump))
        return state->errors.pub.msg_code;
    cinfo->err = jpeg_std_error(&state->errors.pub);
    state->errors.pub.error_exit = errorExit;
    state->errors.pub.emit_message = ignoreMessage;
    state->errors.pub.output_message = ignoreOutput;
    jpeg_create_compress(cinfo);
    state->dest.pub.init_destination = initDestination;
    state->dest.pub.empty_output_buffer = emptyOutputBuffer;
    state->dest.pub.term_destination = termDestination;
    cinfo->dest = &state->dest.pub;

    cinfo->image_width = JDIMENSION(state->width);
    cinfo->image_height = JDIMENSION(state->height);
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, kQuality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    return 0;
}

// Compresses the rows of band, the picture's next ones; finishes the stream after the last.
int compress(JpegEncoder::State* state, const Bitmap* band) {
    jpeg_compress_struct* cinfo = &state->cinfo;
    if (setjmp(state->errors.jump))
        return state->errors.pub.msg_code;
    JSAMPROW rows[1] = {state->row.data()};
    const int width = state->width;
    for (int y = 0; y < band->height(); ++y) {
        toRgb(band->constScanLine(y), rows[0], width);
        jpeg_write_scanlines(cinfo, rows, 1);
    }
    if (cinfo->next_scanline == cinfo->image_height)
        jpeg_finish_compress(cinfo);
    return 0;
}

} // namespace

JpegEncoder::JpegEncoder(const Bitmap& bitmap) : JpegEncoder(bitmap.width(), bitmap.height()) {
    m_state->picture = bitmap;
    m_state->picture.setDepth(24);
}

JpegEncoder::JpegEncoder(int width, int height) {
    if (width <= 0 || height <= 0)
        throw noPictureToSaveError();
    m_state = std::make_unique<State>(width, height);
    if (const int code = start(m_state.get()))
        throw jpegError(code);
}

JpegEncoder::~JpegEncoder() = default;

bool JpegEncoder::writeTo(QIODevice& device) {
    return writeRows(device, m_state->picture);
}

bool JpegEncoder::writeRows(QIODevice& device, const Bitmap& band) {
    if (band.depth() != 24 || band.width() != m_state->width)
        throw std::invalid_argument("JPEG rows need 24 bits and the picture's width");
    m_state->dest.device = &device;
    const int code = compress(m_state.get(), &band);
    if (m_state->dest.writeFailed)
        return false;
    if (code)
        throw jpegError(code);
    return true;
}

QByteArray EncodeJpeg(const Bitmap& bitmap) {
    JpegEncoder encoder(bitmap);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    encoder.writeTo(buffer);
    return out;
}
