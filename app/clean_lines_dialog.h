// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "clean_lines.h"
#include "preview_schedule.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;
class PreviewWorker;
class SubjectControls;
class SubjectPreview;

// What the clean-lines dialog asks: how the lines are drawn, and whether regions too small
// to colour are filled in.
struct CleanLineChoice {
    CleanLineSettings settings;
    bool closeTinyRegions = false;
};

// The dialog of "線画に変換...": detail, thickness and who colours (the smallest region), and a
// preview of the whole page with the check's figures and its tiny regions in red, on which a
// box dragged chooses the subject. The preview is the page OK gives, shrunk to fit the dialog,
// drawn off the window's thread: the dialog answers, and closes, while a large page is worked on.
class CleanLinesDialog : public QDialog {
    Q_OBJECT
public:
    CleanLinesDialog(const Bitmap& page, const CleanLineChoice& choice, QWidget* parent = nullptr);

    CleanLineChoice choice() const;

private:
    struct Source;

    // The longer side of the picture kept for the screen, in pixels: enough for a large
    // dialog, a fraction of a large page.
    static constexpr int kPreviewSide = 1600;

    // Draws the preview for the controls' values once they have stopped changing for this
    // turn of the event loop.
    void schedulePreview();
    void updatePreview();

    std::shared_ptr<Source> m_source;
    PreviewSchedule m_schedule;
    PreviewWorker* m_worker = nullptr;
    QLabel* m_drawing = nullptr;
    QSlider* m_detail = nullptr;
    QSpinBox* m_thickness = nullptr;
    QComboBox* m_colourer = nullptr;
    QCheckBox* m_closeTiny = nullptr;
    QLabel* m_millimetres = nullptr;
    double m_pixelsPerMm = 1.0; // the page's, fitted to A4
    SubjectPreview* m_preview = nullptr;
    SubjectControls* m_subject = nullptr;
    QLabel* m_figures = nullptr;
};
