// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "fitted_picture.h"
#include "subject_mask.h"

#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QPushButton;

// A conversion dialog's preview on which the user drags a box around the picture's subject,
// then corrects the cut with strokes of a keep brush and a remove brush. Box and strokes are
// kept in the picture's pixels, whatever size the preview is shown at, and drawn over it.
class SubjectPreview : public FittedPicture {
    Q_OBJECT
public:
    enum class Tool { Box, Keep, Remove };

    SubjectPreview(QSize picture, const Subject& subject, QWidget* parent);

    // Empty while the whole picture is drawn.
    cv::Rect box() const { return m_box; }
    const std::vector<SubjectStroke>& strokes() const { return m_strokes; }
    // Clears the box and the strokes.
    void clearBox();

    Tool tool() const { return m_tool; }
    void setTool(Tool tool) { m_tool = tool; }

signals:
    // A new box or stroke.
    void subjectChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A drag shorter than this on either side, in pixels of the screen, is a click and
    // leaves the box as it was.
    static constexpr int kShortestDrag = 4;
    // The brushes' radius, in pixels of the screen: what a user can aim at.
    static constexpr int kBrushRadius = 6;

    cv::Rect boxBetween(QPoint from, QPoint to) const;
    // Picture pixels per pixel of the screen.
    double pictureScale() const;
    cv::Point pictureAt(QPoint at) const;
    QPointF shownAt(const cv::Point& at) const;
    QRectF shownBox() const;
    void finishStroke();

    QSize m_picture;
    cv::Rect m_box;
    std::vector<SubjectStroke> m_strokes;
    Tool m_tool = Tool::Box;
    std::optional<QPoint> m_dragFrom;
    QPoint m_dragTo;
    std::optional<SubjectStroke> m_stroke; // being painted
};

// Beside the preview: the tool (box, keep, remove), "Whole photo", which clears the box and
// strokes, and what the page keeps around the subject. Brushes and background mean something
// only once there is a box.
class SubjectControls : public QWidget {
    Q_OBJECT
public:
    SubjectControls(SubjectPreview* preview, Background background, QWidget* parent);

    Subject subject() const;

signals:
    void changed();

private:
    void enableForBox();

    SubjectPreview* m_preview;
    QPushButton* m_boxTool = nullptr;
    QPushButton* m_keepTool = nullptr;
    QPushButton* m_removeTool = nullptr;
    QPushButton* m_wholePhoto = nullptr;
    QComboBox* m_background = nullptr;
};

// Whether a page for subject needs another cut than the one made for drawn: a new box or new
// strokes. A preview that does shows a rough cut first (Subject::rough): the page's own cut
// takes seconds on a large picture.
bool needsNewCut(const Subject& subject, const Subject& drawn);
