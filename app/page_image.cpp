// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "page_image.h"

#include "display_image.h"
#include "picture_placement.h"

#include <QPaintEvent>
#include <QPainter>

TPageImage::TPageImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImageX"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    // The picture covers the whole control; nothing behind it needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageImage::setPicture(const Bitmap& picture, std::shared_ptr<const PageLines> lines) {
    m_picture = picture;
    m_lines = std::move(lines);
    m_linesKey = m_picture.image().cacheKey();
    update();
}

std::shared_ptr<const PageLines> TPageImage::lines() const {
    // Writing to the pixels in place gives the image a new key.
    return m_picture.image().cacheKey() == m_linesKey ? m_lines : nullptr;
}

void TPageImage::markSaved() {
    m_savedKey = m_picture.image().cacheKey();
}

bool TPageImage::hasUnsavedChanges() const {
    return m_picture.image().cacheKey() != m_savedKey;
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
    const QImage& image = m_picture.image();
    const QRect target = placedPicture(size(), image.size());
    if (m_picture.isEmpty() || target.isEmpty()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    // The page's background shows around a picture whose shape differs from the control's.
    for (const QRect& around : QRegion(event->rect()) - target)
        painter.fillRect(around, palette().window());
    const qreal ratio = devicePixelRatio();
    const QSize devicePixels = (QSizeF(target.size()) * ratio).toSize();
    const QSize pictureSize = image.size();
    // Shown at its own size or enlarged, the picture is drawn straight from the page, and
    // only the pixels under the exposed part: a scrolled actual-size view of a large
    // picture costs what the window shows, and no copy of the whole is kept.
    if (devicePixels.width() >= pictureSize.width() &&
        devicePixels.height() >= pictureSize.height()) {
        const QRectF exposed = (event->rect() & target).translated(-target.topLeft());
        const qreal sx = qreal(pictureSize.width()) / target.width();
        const qreal sy = qreal(pictureSize.height()) / target.height();
        const QRect part =
            QRectF(exposed.x() * sx, exposed.y() * sy, exposed.width() * sx, exposed.height() * sy)
                .toAlignedRect() &
            image.rect();
        painter.drawImage(
            QRectF(part.x() / sx, part.y() / sy, part.width() / sx, part.height() / sy)
                .translated(target.topLeft()),
            image, part);
        return;
    }
    painter.drawImage(target.topLeft(), displayCopy(devicePixels, ratio));
}

void TPageImage::mousePressEvent(QMouseEvent* event) {
    m_click.press(*event);
}

void TPageImage::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click.release(*event, rect()))
        emit clicked();
}
