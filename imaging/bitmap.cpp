#include "bitmap.h"

#include "palettes.h"

#include <stdexcept>

namespace {

QImage whiteImage(int width, int height, int depth) {
    QImage image(width, height, Bitmap::formatFor(depth));
    if (image.isNull())
        throw std::bad_alloc();
    if (const QList<QRgb>* table = colourTableForDepth(depth)) {
        image.setColorTable(*table);
        image.fill(uint(table->indexOf(qRgb(255, 255, 255))));
    } else {
        image.fill(Qt::white);
    }
    return image;
}

QImage converted(const QImage& image, int depth) {
    QImage result;
    if (const QList<QRgb>* table = colourTableForDepth(depth)) {
        // Through full colour first, so an indexed source is remapped by colour.
        const QImage rgb = image.format() == QImage::Format_RGB32
                               ? image
                               : image.convertToFormat(QImage::Format_RGB32);
        result = rgb.convertToFormat(Bitmap::formatFor(depth), *table,
                                     Qt::ThresholdDither | Qt::AvoidDither);
    } else {
        result = image.convertToFormat(Bitmap::formatFor(depth));
    }
    if (result.isNull())
        throw std::bad_alloc();
    return result;
}

} // namespace

Bitmap::Bitmap(int width, int height, int depth) : m_depth(depth) {
    if (!isValidDepth(depth))
        throw std::invalid_argument("invalid bitmap depth");
    if (width > 0 && height > 0)
        m_image = whiteImage(width, height, depth);
}

Bitmap Bitmap::fromImage(const QImage& image, int depth) {
    Bitmap bitmap(0, 0, depth);
    if (image.isNull())
        return bitmap;
    const bool sameDepth =
        image.format() == formatFor(depth) &&
        (!colourTableForDepth(depth) || image.colorTable() == *colourTableForDepth(depth));
    bitmap.m_image = sameDepth ? image : converted(image, depth);
    return bitmap;
}

bool Bitmap::isValidDepth(int depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

QImage::Format Bitmap::formatFor(int depth) {
    switch (depth) {
    case 1:
        return QImage::Format_Mono;
    case 4:
    case 8:
        return QImage::Format_Indexed8;
    case 16:
        return QImage::Format_RGB16;
    case 32:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_BGR888;
    }
}

void Bitmap::setSize(int width, int height) {
    if (width == this->width() && height == this->height())
        return;
    if (width <= 0 || height <= 0) {
        m_image = QImage();
        return;
    }
    QImage grown = whiteImage(width, height, m_depth);
    if (!m_image.isNull()) {
        const int w = qMin(width, this->width());
        const int h = qMin(height, this->height());
        if (m_depth == 1) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    grown.setPixel(x, y, uint(m_image.pixelIndex(x, y)));
        } else {
            const qsizetype bytes = (qsizetype(w) * m_image.depth() + 7) / 8;
            for (int y = 0; y < h; ++y)
                memcpy(grown.scanLine(y), m_image.constScanLine(y), size_t(bytes));
        }
    }
    m_image = grown;
}

void Bitmap::setDepth(int depth) {
    if (!isValidDepth(depth))
        throw std::invalid_argument("invalid bitmap depth");
    if (depth == m_depth)
        return;
    if (!m_image.isNull())
        m_image = converted(m_image, depth);
    m_depth = depth;
}
