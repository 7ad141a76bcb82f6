#include "page_image.h"

#include <QPainter>

TPageImage::TPageImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ImageX"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void TPageImage::setPicture(const Bitmap& picture) {
    m_picture = picture;
    update();
}

void TPageImage::paintEvent(QPaintEvent*) {
    if (m_picture.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(rect(), m_picture.image());
}

void TPageImage::mousePressEvent(QMouseEvent* event) {
    m_click.press(*event);
}

void TPageImage::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click.release(*event, rect()))
        emit clicked();
}
