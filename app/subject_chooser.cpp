// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "subject_chooser.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

SubjectPreview::SubjectPreview(QSize picture, const cv::Rect& box, QWidget* parent)
    : QLabel(parent), m_picture(picture),
      m_box(box & cv::Rect(0, 0, picture.width(), picture.height())) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::CrossCursor);
}

void SubjectPreview::clearBox() {
    m_box = cv::Rect();
    update();
}

void SubjectPreview::showFitted(const QPixmap& picture) {
    m_fitted = picture;
    updateGeometry();
    fit();
}

void SubjectPreview::fit() {
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

QSize SubjectPreview::sizeHint() const {
    if (m_fitted.isNull())
        return QLabel::sizeHint();
    const QSize side(kPreferredSide, kPreferredSide);
    const QSize own = m_fitted.size();
    return own.boundedTo(side) == own ? own : own.scaled(side, Qt::KeepAspectRatio);
}

QSize SubjectPreview::minimumSizeHint() const {
    // A fitted picture shrinks with the widget: it asks for no size of its own.
    return m_fitted.isNull() ? QLabel::minimumSizeHint() : QSize();
}

void SubjectPreview::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

QRect SubjectPreview::shownArea() const {
    const QPixmap shown = pixmap();
    if (shown.isNull())
        return QRect();
    return QStyle::alignedRect(layoutDirection(), alignment(),
                               shown.deviceIndependentSize().toSize(), contentsRect());
}

cv::Rect SubjectPreview::boxBetween(QPoint from, QPoint to) const {
    const QRect shown = shownArea();
    if (shown.isEmpty())
        return cv::Rect();
    // The picture's pixels under the two corners, the box reaching out to whole pixels.
    auto across = [](int a, int b, int origin, int shownSide, int pictureSide, bool far) {
        const double at = double(far ? std::max(a, b) : std::min(a, b)) - origin;
        const double pixel = at * pictureSide / shownSide;
        const double whole = far ? std::ceil(pixel) : std::floor(pixel);
        return std::clamp(int(whole), 0, pictureSide);
    };
    const int left = across(from.x(), to.x(), shown.x(), shown.width(), m_picture.width(), false);
    const int right = across(from.x(), to.x(), shown.x(), shown.width(), m_picture.width(), true);
    const int top = across(from.y(), to.y(), shown.y(), shown.height(), m_picture.height(), false);
    const int bottom =
        across(from.y(), to.y(), shown.y(), shown.height(), m_picture.height(), true);
    return cv::Rect(left, top, right - left, bottom - top);
}

QRectF SubjectPreview::shownBox() const {
    const QRect shown = shownArea();
    if (m_box.empty() || shown.isEmpty() || m_picture.isEmpty())
        return QRectF();
    const double sx = double(shown.width()) / m_picture.width();
    const double sy = double(shown.height()) / m_picture.height();
    return QRectF(shown.x() + m_box.x * sx, shown.y() + m_box.y * sy, m_box.width * sx,
                  m_box.height * sy);
}

void SubjectPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || shownArea().isEmpty())
        return QLabel::mousePressEvent(event);
    m_dragFrom = event->position().toPoint();
    m_dragTo = *m_dragFrom;
}

void SubjectPreview::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragFrom)
        return QLabel::mouseMoveEvent(event);
    m_dragTo = event->position().toPoint();
    update();
}

void SubjectPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragFrom || event->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(event);
    const QPoint from = *m_dragFrom;
    const QPoint to = event->position().toPoint();
    m_dragFrom.reset();
    update();
    if (std::abs(to.x() - from.x()) < kShortestDrag || std::abs(to.y() - from.y()) < kShortestDrag)
        return;
    const cv::Rect box = boxBetween(from, to);
    if (box.empty())
        return;
    m_box = box;
    emit boxChosen();
}

void SubjectPreview::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    const QRectF box = m_dragFrom ? QRectF(QRect(*m_dragFrom, m_dragTo).normalized()) : shownBox();
    if (box.isEmpty())
        return;
    QPainter painter(this);
    // Neither black (the lines) nor red (regions too small): the box stands out on both.
    painter.setPen(QPen(QColor(0, 120, 215), 2, m_dragFrom ? Qt::DashLine : Qt::SolidLine));
    painter.drawRect(box);
}

SubjectControls::SubjectControls(SubjectPreview* preview, Background background, QWidget* parent)
    : QWidget(parent), m_preview(preview) {
    auto* hint = new QLabel(tr("プレビュー上をドラッグして被写体を囲む"), this);
    m_wholePhoto = new QPushButton(tr("写真全体"), this);
    m_wholePhoto->setObjectName(QStringLiteral("wholePhoto"));
    m_background = new QComboBox(this);
    m_background->setObjectName(QStringLiteral("background"));
    m_background->addItem(tr("背景なし"), int(Background::None));
    m_background->addItem(tr("簡単な背景"), int(Background::Simple));
    m_background->addItem(tr("背景すべて"), int(Background::Full));
    m_background->setCurrentIndex(std::max(0, m_background->findData(int(background))));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(hint, 1);
    row->addWidget(m_wholePhoto);
    row->addWidget(m_background);
    enableForBox();

    connect(m_preview, &SubjectPreview::boxChosen, this, [this] {
        enableForBox();
        emit changed();
    });
    connect(m_wholePhoto, &QPushButton::clicked, this, [this] {
        m_preview->clearBox();
        enableForBox();
        emit changed();
    });
    connect(m_background, &QComboBox::currentIndexChanged, this, &SubjectControls::changed);
}

Subject SubjectControls::subject() const {
    return {m_preview->box(), Background(m_background->currentData().toInt())};
}

void SubjectControls::enableForBox() {
    const bool boxed = !m_preview->box().empty();
    m_wholePhoto->setEnabled(boxed);
    m_background->setEnabled(boxed);
}
