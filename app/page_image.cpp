#include "page_image.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Beyond this many pixels a display copy would cost more memory than it saves time: the
// picture is then drawn straight from the page, enlarged, which only that much enlarging
// can lead to.
constexpr qint64 DisplayCopyLimit = qint64{1} << 24;

qint64 area(QSize size) {
    return qint64{size.width()} * size.height();
}

} // namespace

TPageImage::TPageImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImageX"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    // The picture covers the whole control; nothing behind it needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageImage::setPicture(const Bitmap& picture) {
    m_picture = picture;
    update();
}

const QPixmap& TPageImage::displayCopy(QSize devicePixels, qreal ratio) {
    const QImage& image = m_picture.image();
    if (m_displayOf == image.cacheKey() && m_display.size() == devicePixels &&
        m_display.devicePixelRatio() == ratio)
        return m_display;
    // Made smaller, the picture is averaged over the area each screen pixel covers, so thin
    // lines stay whole instead of breaking into dots; made larger, its pixels are repeated.
    const bool smaller =
        devicePixels.width() < image.width() || devicePixels.height() < image.height();
    m_display = QPixmap::fromImage(
        devicePixels == image.size()
            ? image
            : image.scaled(devicePixels, Qt::IgnoreAspectRatio,
                           smaller ? Qt::SmoothTransformation : Qt::FastTransformation));
    m_display.setDevicePixelRatio(ratio);
    m_displayOf = image.cacheKey();
    return m_display;
}

void TPageImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_picture.isEmpty()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    const qreal ratio = devicePixelRatio();
    const QSize devicePixels = (QSizeF(size()) * ratio).toSize();
    if (area(devicePixels) > std::max(area(m_picture.image().size()), DisplayCopyLimit)) {
        painter.drawImage(rect(), m_picture.image());
        return;
    }
    painter.drawPixmap(0, 0, displayCopy(devicePixels, ratio));
}

void TPageImage::mousePressEvent(QMouseEvent* event) {
    m_click.press(*event);
}

void TPageImage::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click.release(*event, rect()))
        emit clicked();
}
