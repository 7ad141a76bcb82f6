// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "colour_by_number.h"
#include "preview_schedule.h"

#include <QDialog>

class QComboBox;
class QLabel;
class PaletteChoice;
class QSpinBox;
class SubjectControls;
class SubjectPreview;

// The dialog of "数字で塗り絵に変換...": how many colours, who colours (the smallest
// region) and from which colours (the photo's own, a built-in box of crayons or a palette
// file), with the numbered page and the picture painted side by side, drawn from a copy of
// the page shrunk to the preview's size. A box dragged on the painted picture chooses the subject.
class ColourByNumberDialog : public QDialog {
    Q_OBJECT
public:
    ColourByNumberDialog(const Bitmap& page, const ColourByNumberSettings& settings,
                         QWidget* parent = nullptr);

    ColourByNumberSettings settings() const;
    // Keeps the palette chosen for the next time the dialog opens, when accepted.
    void done(int result) override;

private:
    // The longer side of the shrunk copy, in pixels: large enough that its numbers need no
    // wider regions than the page's.
    static constexpr int kPreviewSide = 900;
    // The longer side of each picture shown.
    static constexpr int kShownSide = 420;

    void updatePreview();

    cv::Size m_pictureSize;
    double m_scale = 1.0; // set while m_small is made
    Bitmap m_small;
    PreviewSchedule m_schedule;
    QSpinBox* m_colours = nullptr;
    QComboBox* m_colourer = nullptr;
    PaletteChoice* m_palette = nullptr;
    QLabel* m_page = nullptr;
    SubjectPreview* m_painted = nullptr;
    SubjectControls* m_subject = nullptr;
    QLabel* m_figures = nullptr;
};
