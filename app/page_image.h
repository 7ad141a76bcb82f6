// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "click_tracker.h"

#include <QImage>
#include <QWidget>

#include <memory>

struct PageLines;

// The image control of a page: holds the page bitmap and paints it as large as the control
// allows in the picture's own shape, centred, and knows whether the picture it shows is
// the one last loaded or written to a file.
class TPageImage : public QWidget {
    Q_OBJECT
public:
    explicit TPageImage(QWidget* parent = nullptr);

    // The page bitmap. Pixel access may change its depth in place.
    Bitmap& picture() { return m_picture; }
    const Bitmap& picture() const { return m_picture; }
    // The picture, and the lines a conversion drew on it when it is such a page.
    void setPicture(const Bitmap& picture, std::shared_ptr<const PageLines> lines = {});
    // The lines drawn on the picture, while it is still the one they were drawn on: any other
    // picture, or a change to its pixels, has none.
    std::shared_ptr<const PageLines> lines() const;
    // The picture now shown is the one in a file (just loaded, or written).
    void markSaved();
    bool hasUnsavedChanges() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The picture made smaller as the screen shows it, at the control's size in device
    // pixels; made again only when the picture or that size has changed, so a repaint is
    // one copy.
    const QImage& displayCopy(QSize devicePixels, qreal ratio);

    Bitmap m_picture;
    ClickTracker m_click;
    QImage m_display;
    qint64 m_displayOf = 0;
    // Pictures are never changed in place except to bring them to 24 bits, so the image's
    // identity tells whether it is still the one in the file (undo back to it counts).
    qint64 m_savedKey = 0;
    std::shared_ptr<const PageLines> m_lines;
    qint64 m_linesKey = 0;
};
