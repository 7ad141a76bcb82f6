// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "colour_by_number.h"
#include "preview_schedule.h"
#include "preview_worker.h"

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
    // The longer side of the copy a first answer is numbered on: a large page's own regions
    // take seconds.
    static constexpr int kFirstAnswerSide = 512;
    struct Drawn;

    void updatePreview();
    // Runs on the preview's worker, which may outlive the dialog: it only hands the dialog's
    // address to the first answer it posts, which the worker shows while the dialog lives.
    static bool firstAnswer(ColourByNumberDialog* dialog, const Bitmap& small, const Bitmap& page,
                            const ColourByNumberSettings& chosen, cv::Size shownSize,
                            const StageProgress& progress, const PreviewWorker::Draft& draft);

    Bitmap m_page; // shared with the drawing of the preview, which may outlive the dialog
    std::shared_ptr<Drawn> m_drawn;
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
