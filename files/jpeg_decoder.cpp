#include "jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return: it jumps
// back into the function that started the libjpeg call. Only the two small functions
// below call libjpeg, and neither holds an object with a destructor, so the jump skips
// nothing.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool cutShort;
};

void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    // A file that ends early is padded by libjpeg with grey; such a picture is damaged.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<ErrorManager*>(info->err)->cutShort = true;
}

bool readHeader(jpeg_decompress_struct* info, ErrorManager* errors, const QByteArray* file) {
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(file->constData()),
                 static_cast<unsigned long>(file->size()));
    return jpeg_read_header(info, TRUE) == JPEG_HEADER_OK;
}

bool readRows(jpeg_decompress_struct* info, ErrorManager* errors, JSAMPROW* rows) {
    if (setjmp(errors->jump))
        return false;
    jpeg_start_decompress(info);
    while (info->output_scanline < info->output_height) {
        JSAMPROW* next = rows + info->output_scanline;
        const JDIMENSION left = info->output_height - info->output_scanline;
        jpeg_read_scanlines(info, next, left < 16 ? left : 16);
    }
    jpeg_finish_decompress(info);
    return true;
}

class Decompressor {
public:
    Decompressor() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = onError;
        errors.base.emit_message = onMessage;
        errors.cutShort = false;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct info{};
    ErrorManager errors{};
};

} // namespace

JpegDecodeStatus decodeJpeg(const QByteArray& file, qint64 maxBytes, QImage& image) {
    if (!file.startsWith("\xff\xd8\xff"))
        return JpegDecodeStatus::Unsupported;
    Decompressor jpeg;
    if (!readHeader(&jpeg.info, &jpeg.errors, &file))
        return JpegDecodeStatus::Damaged;

    QImage::Format format;
    if (jpeg.info.num_components == 3 && jpeg.info.jpeg_color_space != JCS_CMYK &&
        jpeg.info.jpeg_color_space != JCS_YCCK) {
        jpeg.info.out_color_space = JCS_EXT_BGR;
        format = QImage::Format_BGR888;
    } else if (jpeg.info.num_components == 1) {
        jpeg.info.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
    } else {
        return JpegDecodeStatus::Unsupported;
    }

    const qint64 width = jpeg.info.image_width;
    const qint64 height = jpeg.info.image_height;
    const qint64 rowBytes = (width * jpeg.info.num_components + 3) / 4 * 4;
    if (rowBytes * height > maxBytes)
        return JpegDecodeStatus::TooLarge;
    // No fill: every row is written by the decoder.
    QImage pixels(int(width), int(height), format);
    if (pixels.isNull())
        return JpegDecodeStatus::TooLarge;
    std::vector<JSAMPROW> rows(static_cast<size_t>(height));
    for (int y = 0; y < int(height); ++y)
        rows[size_t(y)] = pixels.scanLine(y);

    if (!readRows(&jpeg.info, &jpeg.errors, rows.data()) || jpeg.errors.cutShort)
        return JpegDecodeStatus::Damaged;
    image = pixels;
    return JpegDecodeStatus::Decoded;
}
