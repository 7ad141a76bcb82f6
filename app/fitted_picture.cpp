// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fitted_picture.h"

#include <QStyle>

FittedPicture::FittedPicture(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
}

void FittedPicture::expectShape(QSize shape) {
    m_shape = shape;
    updateGeometry();
}

void FittedPicture::showFitted(const QPixmap& picture) {
    m_fitted = picture;
    updateGeometry();
    fit();
}

void FittedPicture::clearPicture() {
    m_fitted = QPixmap();
    clear();
    updateGeometry();
}

void FittedPicture::fit() {
    if (m_fitted.isNull())
        return;
    const QSize area = contentsRect().size();
    if (area.isEmpty())
        return;
    const QSize size = m_fitted.size().scaled(area, Qt::KeepAspectRatio);
    setPixmap(size == m_fitted.size()
                  ? m_fitted
                  : m_fitted.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QSize FittedPicture::sizeHint() const {
    const QSize own = m_fitted.isNull() ? m_shape : m_fitted.size();
    if (own.isEmpty())
        return QLabel::sizeHint();
    const QSize side(kPreferredSide, kPreferredSide);
    return own.boundedTo(side) == own ? own : own.scaled(side, Qt::KeepAspectRatio);
}

QSize FittedPicture::minimumSizeHint() const {
    // A fitted picture shrinks with the widget: it asks for no size of its own.
    return m_fitted.isNull() && m_shape.isEmpty() ? QLabel::minimumSizeHint() : QSize();
}

void FittedPicture::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

QRect FittedPicture::shownArea() const {
    const QPixmap shown = pixmap();
    if (shown.isNull())
        return QRect();
    return QStyle::alignedRect(layoutDirection(), alignment(),
                               shown.deviceIndependentSize().toSize(), contentsRect());
}
