#include "jpeg_writer.h"

#include "app_error.h"
#include "bitmap.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <jerror.h>

namespace {

constexpr int kQuality = 90;

// libjpeg reports a fatal error by calling error_exit, which must not return. It jumps
// back into encode(), the only function that calls setjmp, so no C++ exception ever
// travels through libjpeg's C frames.
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

// Gathers the stream in a byte array that doubles when full. Unlike jpeg_mem_dest, the
// buffer belongs to the caller, so nothing leaks when libjpeg stops on an error.
struct MemoryDestination {
    jpeg_destination_mgr pub; // first, as with the error manager
    QByteArray* data;
    qsizetype firstSize;
};

MemoryDestination& destinationOf(j_compress_ptr cinfo) {
    return *reinterpret_cast<MemoryDestination*>(cinfo->dest);
}

// Resizes the array; allocation failures become libjpeg's memory error, raised once the
// C++ handler has finished.
void resizeOrFail(j_compress_ptr cinfo, QByteArray& data, qsizetype size) {
    bool failed = false;
    try {
        data.resize(size);
    } catch (...) {
        failed = true;
    }
    if (failed)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

void initDestination(j_compress_ptr cinfo) {
    MemoryDestination& dest = destinationOf(cinfo);
    resizeOrFail(cinfo, *dest.data, dest.firstSize);
    dest.pub.next_output_byte = reinterpret_cast<JOCTET*>(dest.data->data());
    dest.pub.free_in_buffer = size_t(dest.data->size());
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
    MemoryDestination& dest = destinationOf(cinfo);
    const qsizetype used = dest.data->size();
    resizeOrFail(cinfo, *dest.data, 2 * used);
    dest.pub.next_output_byte = reinterpret_cast<JOCTET*>(dest.data->data()) + used;
    dest.pub.free_in_buffer = size_t(dest.data->size() - used);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    MemoryDestination& dest = destinationOf(cinfo);
    dest.data->truncate(dest.data->size() - qsizetype(dest.pub.free_in_buffer));
}

// The page's blue, green, red bytes as red, green, blue.
void toRgb(const uchar* bgr, JSAMPLE* rgb, int width) {
    for (int x = 0; x < width; ++x, bgr += 3, rgb += 3) {
        rgb[0] = bgr[2];
        rgb[1] = bgr[1];
        rgb[2] = bgr[0];
    }
}

// Encodes a 24-bit picture into out. Returns 0, or libjpeg's message code of the error
// that stopped it.
int encode(const Bitmap& picture, QByteArray& out) {
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    // A photograph at this quality takes about a quarter of a byte per pixel.
    MemoryDestination dest{
        {},
        &out,
        qMax<qsizetype>(qsizetype(picture.width()) * picture.height() / 4, qsizetype(1) << 16)};
    std::vector<JSAMPLE> row(size_t(picture.width()) * 3);
    JSAMPROW rows[1] = {row.data()};

    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.emit_message = ignoreMessage;
    errors.pub.output_message = ignoreOutput;
    // Nothing with a destructor may be created from here on: a jump back skips no frame
    // of this function, but it must not skip a C++ object's end either.
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return errors.pub.msg_code;
    }
    jpeg_create_compress(&cinfo);
    dest.pub.init_destination = initDestination;
    dest.pub.empty_output_buffer = emptyOutputBuffer;
    dest.pub.term_destination = termDestination;
    cinfo.dest = &dest.pub;

    cinfo.image_width = JDIMENSION(picture.width());
    cinfo.image_height = JDIMENSION(picture.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kQuality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        toRgb(picture.constScanLine(int(cinfo.next_scanline)), row.data(), picture.width());
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

} // namespace

QByteArray EncodeJpeg(const Bitmap& bitmap) {
    if (bitmap.isEmpty())
        throw noPictureToSaveError();
    Bitmap picture = bitmap;
    picture.setDepth(24);
    QByteArray out;
    if (const int code = encode(picture, out))
        throw EAppError(QStringLiteral("JPEG エラー #%1").arg(code));
    return out;
}
