// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "subject_mask.h"

#include <QLabel>
#include <QWidget>

#include <optional>

class QComboBox;
class QPushButton;

// A conversion dialog's preview on which the user drags a box around the picture's subject.
// The box is kept in the picture's pixels, whatever size the preview is shown at, and drawn
// over the preview.
class SubjectPreview : public QLabel {
    Q_OBJECT
public:
    SubjectPreview(QSize picture, const cv::Rect& box, QWidget* parent);

    // Empty while the whole picture is drawn.
    cv::Rect box() const { return m_box; }
    void clearBox();

    // Shows the picture as large as the widget allows, whole and in its shape, again
    // whenever the widget's size changes.
    void showFitted(const QPixmap& picture);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Where the preview's picture lies in the widget.
    QRect shownArea() const;

signals:
    void boxChosen();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The longer side, in pixels of the screen, a fitted picture asks for at first.
    static constexpr int kPreferredSide = 720;

    // A drag shorter than this on either side, in pixels of the screen, is a click and
    // leaves the box as it was.
    static constexpr int kShortestDrag = 4;

    cv::Rect boxBetween(QPoint from, QPoint to) const;
    QRectF shownBox() const;
    void fit();

    QSize m_picture;
    QPixmap m_fitted; // the picture shown with showFitted, at its own size
    cv::Rect m_box;
    std::optional<QPoint> m_dragFrom;
    QPoint m_dragTo;
};

// Beside the preview: "Whole photo", which clears the box, and what the page keeps around
// the subject, which means something only once there is a box.
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
    QPushButton* m_wholePhoto = nullptr;
    QComboBox* m_background = nullptr;
};
