// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "subject_chooser.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

SubjectPreview::SubjectPreview(QSize picture, const Subject& subject, QWidget* parent)
    : FittedPicture(parent), m_picture(picture),
      m_box(subject.box & cv::Rect(0, 0, picture.width(), picture.height())),
      m_strokes(m_box.empty() ? std::vector<SubjectStroke>() : subject.strokes) {
    setCursor(Qt::CrossCursor);
    expectShape(picture);
}

void SubjectPreview::clearBox() {
    m_box = cv::Rect();
    m_strokes.clear();
    m_tool = Tool::Box;
    update();
}

double SubjectPreview::pictureScale() const {
    const QRect shown = shownArea();
    return shown.isEmpty() ? 1.0 : double(m_picture.width()) / shown.width();
}

cv::Point SubjectPreview::pictureAt(QPoint at) const {
    const QRect shown = shownArea();
    const double scale = pictureScale();
    return cv::Point(std::clamp(int(std::lround((at.x() - shown.x()) * scale)), 0,
                                std::max(0, m_picture.width() - 1)),
                     std::clamp(int(std::lround((at.y() - shown.y()) * scale)), 0,
                                std::max(0, m_picture.height() - 1)));
}

QPointF SubjectPreview::shownAt(const cv::Point& at) const {
    const QRect shown = shownArea();
    const double scale = pictureScale();
    return QPointF(shown.x() + at.x / scale, shown.y() + at.y / scale);
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
    return QRectF(shownAt(m_box.tl()), shownAt(m_box.br()));
}

void SubjectPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || shownArea().isEmpty())
        return FittedPicture::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (m_tool == Tool::Box || m_box.empty()) {
        m_dragFrom = at;
        m_dragTo = at;
        return;
    }
    m_stroke = SubjectStroke{m_tool == Tool::Keep,
                             std::max(1, int(std::lround(kBrushRadius * pictureScale()))),
                             {pictureAt(at)}};
    update();
}

void SubjectPreview::mouseMoveEvent(QMouseEvent* event) {
    if (m_stroke) {
        const cv::Point at = pictureAt(event->position().toPoint());
        if (at != m_stroke->points.back())
            m_stroke->points.push_back(at);
        update();
        return;
    }
    if (!m_dragFrom)
        return FittedPicture::mouseMoveEvent(event);
    m_dragTo = event->position().toPoint();
    update();
}

void SubjectPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return FittedPicture::mouseReleaseEvent(event);
    if (m_stroke) {
        const cv::Point at = pictureAt(event->position().toPoint());
        if (at != m_stroke->points.back())
            m_stroke->points.push_back(at);
        return finishStroke();
    }
    if (!m_dragFrom)
        return FittedPicture::mouseReleaseEvent(event);
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
    // Strokes belong to the cut of the box they corrected.
    m_strokes.clear();
    emit subjectChanged();
}

void SubjectPreview::finishStroke() {
    SubjectStroke stroke = std::move(*m_stroke);
    m_stroke.reset();
    // The cut keeps nothing outside its box: the box grows to what is to be kept.
    if (stroke.keep) {
        const cv::Rect reach = cv::boundingRect(stroke.points) +
                               cv::Size(2 * stroke.radius + 1, 2 * stroke.radius + 1) -
                               cv::Point(stroke.radius, stroke.radius);
        m_box = (m_box | reach) & cv::Rect(0, 0, m_picture.width(), m_picture.height());
    }
    m_strokes.push_back(std::move(stroke));
    update();
    emit subjectChanged();
}

void SubjectPreview::paintEvent(QPaintEvent* event) {
    FittedPicture::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = pictureScale();
    auto drawStroke = [&](const SubjectStroke& stroke) {
        // Green keeps, purple removes: apart from the black lines and the red of regions too
        // small, and seen through.
        const QColor colour = stroke.keep ? QColor(0, 170, 70, 150) : QColor(170, 0, 200, 150);
        painter.setPen(QPen(colour, std::max(2.0, (2 * stroke.radius + 1) / scale), Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path(shownAt(stroke.points.front()));
        for (const cv::Point& p : stroke.points)
            path.lineTo(shownAt(p));
        painter.drawPath(path);
    };
    for (const SubjectStroke& stroke : m_strokes)
        drawStroke(stroke);
    if (m_stroke)
        drawStroke(*m_stroke);
    const QRectF box = m_dragFrom ? QRectF(QRect(*m_dragFrom, m_dragTo).normalized()) : shownBox();
    if (box.isEmpty())
        return;
    // Neither black (the lines) nor red (regions too small): the box stands out on both.
    painter.setPen(QPen(QColor(0, 120, 215), 2, m_dragFrom ? Qt::DashLine : Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

SubjectControls::SubjectControls(SubjectPreview* preview, Background background, QWidget* parent)
    : QWidget(parent), m_preview(preview) {
    auto* hint = new QLabel(tr("プレビュー上をドラッグして被写体を囲む"), this);
    auto tool = [this](const QString& text, const QString& name, SubjectPreview::Tool tool) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setCheckable(true);
        connect(button, &QPushButton::toggled, this, [this, tool](bool on) {
            if (on)
                m_preview->setTool(tool);
        });
        return button;
    };
    m_boxTool = tool(tr("枠"), QStringLiteral("boxTool"), SubjectPreview::Tool::Box);
    m_keepTool = tool(tr("残す"), QStringLiteral("keepTool"), SubjectPreview::Tool::Keep);
    m_removeTool = tool(tr("消す"), QStringLiteral("removeTool"), SubjectPreview::Tool::Remove);
    m_boxTool->setToolTip(tr("ドラッグして被写体を枠で囲む"));
    m_keepTool->setToolTip(tr("なぞったところを被写体として残す"));
    m_removeTool->setToolTip(tr("なぞったところを背景として消す"));
    auto* tools = new QButtonGroup(this);
    for (QPushButton* button : {m_boxTool, m_keepTool, m_removeTool})
        tools->addButton(button);
    m_boxTool->setChecked(true);
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
    for (QPushButton* button : {m_boxTool, m_keepTool, m_removeTool, m_wholePhoto})
        row->addWidget(button);
    row->addWidget(m_background);
    enableForBox();

    connect(m_preview, &SubjectPreview::subjectChanged, this, [this] {
        enableForBox();
        emit changed();
    });
    connect(m_wholePhoto, &QPushButton::clicked, this, [this] {
        m_preview->clearBox();
        m_boxTool->setChecked(true);
        enableForBox();
        emit changed();
    });
    connect(m_background, &QComboBox::currentIndexChanged, this, &SubjectControls::changed);
}

Subject SubjectControls::subject() const {
    return {m_preview->box(), Background(m_background->currentData().toInt()),
            m_preview->strokes()};
}

void SubjectControls::enableForBox() {
    const bool boxed = !m_preview->box().empty();
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_keepTool, m_removeTool, m_wholePhoto, m_background})
        control->setEnabled(boxed);
}

bool needsNewCut(const Subject& subject, const Subject& drawn) {
    return subject.isSet() && (subject.box != drawn.box || subject.strokes != drawn.strokes);
}
