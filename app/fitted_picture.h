// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QLabel>
#include <QPixmap>

// A dialog's picture shown as large as the widget allows, whole and in its shape, again
// whenever the widget's size changes.
class FittedPicture : public QLabel {
    Q_OBJECT
public:
    explicit FittedPicture(QWidget* parent = nullptr);

    // The shape of the picture to come: the widget asks for room for it before it is drawn.
    void expectShape(QSize shape);
    void showFitted(const QPixmap& picture);
    void clearPicture();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Where the picture lies in the widget.
    QRect shownArea() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The longer side, in pixels of the screen, a fitted picture asks for at first.
    static constexpr int kPreferredSide = 720;

    void fit();

    QPixmap m_fitted; // the picture shown with showFitted, at its own size
    QSize m_shape;
};
