// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "colour_by_number.h"
#include "preview_schedule.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class PaletteChoice;
class QSpinBox;
class FittedPicture;
class PreviewWorker;
class SubjectControls;
class SubjectPreview;

// The dialog of "数字で塗り絵に変換...": how many colours, who colours (the smallest
// region) and from which colours (the photo's own, a built-in box of crayons or a palette
// file), with the numbered page and the picture painted side by side: the page's own
// regions, drawn at the size the dialog shows them, off the window's thread. A box dragged
// on the painted picture chooses the subject.
class ColourByNumberDialog : public QDialog {
    Q_OBJECT
public:
    ColourByNumberDialog(const Bitmap& page, const ColourByNumberSettings& settings,
                         QWidget* parent = nullptr);

    ColourByNumberSettings settings() const;
    // Keeps the palette chosen for the next time the dialog opens, when accepted.
    void done(int result) override;

private:
    // The longer side of each picture drawn for the screen: enough for a large dialog.
    static constexpr int kShownSide = 1000;

    void updatePreview();

    Bitmap m_page; // shared with the drawing of the preview, which may outlive the dialog
    // The subject of the last drawing that finished (drawings run one at a time).
    std::shared_ptr<Subject> m_drawn = std::make_shared<Subject>();
    PreviewSchedule m_schedule;
    PreviewWorker* m_worker = nullptr;
    QLabel* m_drawing = nullptr;
    QSpinBox* m_colours = nullptr;
    QComboBox* m_colourer = nullptr;
    PaletteChoice* m_palette = nullptr;
    FittedPicture* m_numbered = nullptr;
    SubjectPreview* m_painted = nullptr;
    SubjectControls* m_subject = nullptr;
    QLabel* m_figures = nullptr;
};
