#include "page_image.h"

#include "display_image.h"

#include <QPaintEvent>
#include <QPainter>

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

const QImage& TPageImage::displayCopy(QSize devicePixels, qreal ratio) {
    const QImage& picture = m_picture.image();
    if (m_displayOf != picture.cacheKey() || m_display.size() != devicePixels) {
        m_display = displayImage(picture, devicePixels);
        m_displayOf = picture.cacheKey();
    }
    m_display.setDevicePixelRatio(ratio);
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
    const QSize pictureSize = m_picture.image().size();
    // Shown at its own size or enlarged, the picture is drawn straight from the page, and
    // only the pixels under the exposed part: a scrolled actual-size view of a large
    // picture costs what the window shows, and no copy of the whole is kept.
    if (devicePixels.width() >= pictureSize.width() &&
        devicePixels.height() >= pictureSize.height()) {
        const QRectF exposed = event->rect();
        const qreal sx = qreal(pictureSize.width()) / width();
        const qreal sy = qreal(pictureSize.height()) / height();
        const QRect part =
            QRectF(exposed.x() * sx, exposed.y() * sy, exposed.width() * sx, exposed.height() * sy)
                .toAlignedRect() &
            m_picture.image().rect();
        painter.drawImage(
            QRectF(part.x() / sx, part.y() / sy, part.width() / sx, part.height() / sy),
            m_picture.image(), part);
        return;
    }
    painter.drawImage(0, 0, displayCopy(devicePixels, ratio));
}

void TPageImage::mousePressEvent(QMouseEvent* event) {
    m_click.press(*event);
}

void TPageImage::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click.release(*event, rect()))
        emit clicked();
}
