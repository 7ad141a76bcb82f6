// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "metafile.h"

#include "file_bytes.h"
#include "metafile_records.h"
#include "picture_format.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <memory>
#include <optional>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

constexpr double kScreenDpi = 96.0;
// Guards against headers that claim absurd sizes before anything is allocated.
constexpr int kMaxSide = 65535;

// Where the converter's picture goes on the page. The converter draws the bounds (the
// extent of what is drawn) from its own top-left corner, while the page is the frame:
// a drawing with margins inside its frame starts that far into the page.
QPointF emfDrawingOrigin(const QByteArray& file) {
    const double devicePixelsX = littleEndianSigned32(file, 72);
    const double devicePixelsY = littleEndianSigned32(file, 76);
    const double deviceMmX = littleEndianSigned32(file, 80);
    const double deviceMmY = littleEndianSigned32(file, 84);
    if (emfPixelSize(file).isEmpty() || devicePixelsX <= 0 || devicePixelsY <= 0 ||
        deviceMmX <= 0 || deviceMmY <= 0)
        return {};
    const double frameLeft =
        std::round(littleEndianSigned32(file, 24) / 100.0 * devicePixelsX / deviceMmX);
    const double frameTop =
        std::round(littleEndianSigned32(file, 28) / 100.0 * devicePixelsY / deviceMmY);
    const double x = littleEndianSigned32(file, 8) - frameLeft;
    const double y = littleEndianSigned32(file, 12) - frameTop;
    if (std::abs(x) > kMaxSide || std::abs(y) > kMaxSide)
        return {};
    return QPointF(x, y);
}

// The converter scales the bounds (device pixels, right and bottom edges exclusive) to the
// size asked for; asking for the bounds' own size draws one device pixel per pixel.
QByteArray emfToSvg(const QByteArray& file, QSize size) {
    const double boundsWidth =
        double(littleEndianSigned32(file, 16)) - littleEndianSigned32(file, 8);
    const double boundsHeight =
        double(littleEndianSigned32(file, 20)) - littleEndianSigned32(file, 12);
    const bool boundsUsable = boundsWidth >= 1 && boundsHeight >= 1 && boundsWidth <= kMaxSide &&
                              boundsHeight <= kMaxSide;
    QByteArray input = file; // the converter wants writable input
    generatorOptions options{};
    char nameSpace[] = "";
    options.nameSpace = nameSpace;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = boundsUsable ? boundsWidth : size.width();
    options.imgHeight = boundsUsable ? boundsHeight : size.height();
    char* out = nullptr;
    size_t outLength = 0;
    const int ok = emf2svg(input.data(), size_t(input.size()), &out, &outLength, &options);
    QByteArray svg;
    if (ok && out)
        svg = QByteArray(out, qsizetype(outLength));
    free(out);
    return svg;
}

// libwmf owns every block it hands out and frees them with the API object.
class WmfApi {
public:
    WmfApi() {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api, flags, &options) != wmf_E_None)
            api = nullptr;
    }
    ~WmfApi() {
        if (api)
            wmf_api_destroy(api);
    }
    WmfApi(const WmfApi&) = delete;
    WmfApi& operator=(const WmfApi&) = delete;

    wmfAPI* api = nullptr;
};

// libwmf measures its device space in points from the window origin, and wmf_scan gives
// the extent of what is drawn; a placeable file declares its whole frame, which is what
// the picture shows, margins included.
std::optional<wmfD_Rect> placeableFrame(const QByteArray& file, wmfAPI* api) {
    if (littleEndian32(file, 0) != 0x9AC6CDD7u)
        return std::nullopt;
    const quint16 unitsPerInch = littleEndian16(file, 14);
    float width = 0;
    float height = 0;
    if (unitsPerInch == 0 || wmf_size(api, &width, &height) != wmf_E_None || width <= 0 ||
        height <= 0)
        return std::nullopt;
    wmfD_Rect frame;
    frame.TL.x = 0;
    frame.TL.y = 0;
    frame.BR.x = float(width * 72.0 / unitsPerInch);
    frame.BR.y = float(height * 72.0 / unitsPerInch);
    return frame;
}

QByteArray wmfToSvg(const QByteArray& file, QSize& size) {
    WmfApi wmf;
    if (!wmf.api)
        return {};
    QByteArray input = file;
    if (wmf_mem_open(wmf.api, reinterpret_cast<unsigned char*>(input.data()), long(input.size())) !=
        wmf_E_None)
        return {};
    QByteArray svg;
    wmfD_Rect bounds;
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_scan(wmf.api, 0, &bounds) == wmf_E_None &&
        wmf_display_size(wmf.api, &width, &height, kScreenDpi, kScreenDpi) == wmf_E_None &&
        width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide) {
        wmf_svg_t* device = WMF_SVG_GetData(wmf.api);
        device->out = wmf_stream_create(wmf.api, nullptr);
        device->bbox = placeableFrame(file, wmf.api).value_or(bounds);
        device->width = width;
        device->height = height;
        device->flags |= WMF_SVG_INLINE_IMAGES;
        const bool played = wmf_play(wmf.api, 0, &bounds) == wmf_E_None;
        char* text = nullptr;
        unsigned long length = 0;
        wmf_stream_destroy(wmf.api, device->out, &text, &length);
        if (played && text) {
            svg = QByteArray(text, qsizetype(length));
            size = QSize(int(width), int(height));
        }
    }
    wmf_mem_close(wmf.api);
    return svg;
}

} // namespace

MetafileDrawing::MetafileDrawing(const QByteArray& file, qint64 maxBytes) {
    QByteArray svg;
    const PictureFormat format = pictureFormatOf(file.left(kFormatProbeBytes));
    if (format == PictureFormat::Emf) {
        if (!emfRecordsHold(file))
            return;
        m_size = emfPixelSize(file);
        if (m_size.isEmpty())
            return;
        // Judged from the header, before anything is translated or drawn.
        if (qint64(m_size.width()) * m_size.height() * 4 > maxBytes) {
            m_tooLarge = true;
            return;
        }
        svg = emfToSvg(file, m_size);
        m_origin = emfDrawingOrigin(file);
    } else if (format == PictureFormat::Wmf) {
        if (!wmfRecordsHold(file))
            return;
        svg = wmfToSvg(file, m_size);
        if (!svg.isEmpty() && qint64(m_size.width()) * m_size.height() * 4 > maxBytes) {
            m_tooLarge = true;
            return;
        }
    }
    if (svg.isEmpty())
        return;
    auto renderer = std::make_unique<QSvgRenderer>(svg);
    if (renderer->isValid())
        m_renderer = std::move(renderer);
}

MetafileDrawing::~MetafileDrawing() = default;

void MetafileDrawing::drawRows(QImage& band, int top) const {
    band.fill(Qt::white);
    QPainter painter(&band);
    painter.translate(0, -top);
    // At the picture's own scale: the SVG's units are the page's pixels.
    m_renderer->render(&painter, QRectF(m_origin, m_renderer->viewBoxF().size()));
}

QImage renderMetafile(const QByteArray& file, qint64 maxBytes, bool& tooLarge) {
    const MetafileDrawing drawing(file, maxBytes);
    tooLarge = drawing.tooLarge();
    if (!drawing.isValid())
        return {};
    QImage image(drawing.size(), QImage::Format_RGB32);
    if (image.isNull()) {
        tooLarge = true;
        return {};
    }
    drawing.drawRows(image, 0);
    return image;
}
