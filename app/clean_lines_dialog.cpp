// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines_dialog.h"

#include "clean_lines_preview.h"
#include "colourability.h"
#include "colourer_choice.h"
#include "preview_worker.h"
#include "subject_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <optional>

// What the preview is drawn from. A drawing shares it, so that it may finish after the dialog
// closed; drawings run one at a time, so they never touch it together.
struct CleanLinesDialog::Source {
    Bitmap page;
    // Made by the first drawing: on a large page it takes a while.
    std::optional<CleanLinesPreviewer> previewer;
    // The subject of the last drawing that finished.
    Subject drawn{};
};

CleanLinesDialog::CleanLinesDialog(const Bitmap& page, const CleanLineChoice& choice,
                                   QWidget* parent)
    : QDialog(parent), m_source(std::make_shared<Source>(Source{page, std::nullopt})),
      m_schedule(this, [this] { updatePreview(); }) {
    setWindowTitle(tr("線画に変換"));
    m_detail = new QSlider(Qt::Horizontal, this);
    m_detail->setRange(0, 100);
    m_detail->setValue(choice.settings.detail);
    m_thickness = new QSpinBox(this);
    m_thickness->setRange(1, 200);
    m_thickness->setValue(choice.settings.thickness);
    m_thickness->setSuffix(QStringLiteral(" px"));
    m_pixelsPerMm = pixelsPerMmAtA4(page.width(), page.height());
    m_colourer = newColourerChoice(choice.settings.smallestRegionMm, this);
    m_millimetres = new QLabel(this);
    m_closeTiny = new QCheckBox(tr("小さすぎる領域を線の色で塗りつぶす"), this);
    m_closeTiny->setChecked(choice.closeTinyRegions);
    m_preview =
        new SubjectPreview(QSize(page.width(), page.height()), choice.settings.subject, this);
    m_preview->setMinimumSize(240, 160);
    m_subject = new SubjectControls(m_preview, choice.settings.subject.background, this);
    m_figures = new QLabel(this);
    m_drawing = new QLabel(tr("プレビューを描いています…"), this);
    m_drawing->setObjectName(QStringLiteral("drawingPreview"));
    m_drawing->hide();
    m_worker = new PreviewWorker(this);
    connect(m_worker, &PreviewWorker::busyChanged, m_drawing, &QWidget::setVisible);

    auto* detailRow = new QHBoxLayout;
    detailRow->addWidget(new QLabel(tr("少ない"), this));
    detailRow->addWidget(m_detail, 1);
    detailRow->addWidget(new QLabel(tr("多い"), this));
    auto* form = new QFormLayout;
    form->addRow(tr("線の量"), detailRow);
    auto* thicknessRow = new QHBoxLayout;
    thicknessRow->addWidget(m_thickness, 1);
    thicknessRow->addWidget(m_millimetres);
    form->addRow(tr("線の太さ"), thicknessRow);
    form->addRow(tr("塗る人"), m_colourer);
    form->addRow(QString(), m_closeTiny);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_subject);
    auto* state = new QHBoxLayout;
    state->addWidget(m_figures, 1);
    state->addWidget(m_drawing);
    layout->addLayout(state);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_detail, &QSlider::valueChanged, this, &CleanLinesDialog::schedulePreview);
    connect(m_thickness, &QSpinBox::valueChanged, this, &CleanLinesDialog::schedulePreview);
    connect(m_colourer, &QComboBox::currentIndexChanged, this, &CleanLinesDialog::schedulePreview);
    connect(m_closeTiny, &QCheckBox::toggled, this, &CleanLinesDialog::schedulePreview);
    connect(m_subject, &SubjectControls::changed, this, &CleanLinesDialog::schedulePreview);
    updatePreview();
}

CleanLineChoice CleanLinesDialog::choice() const {
    return {{m_detail->value(), m_thickness->value(), m_colourer->currentData().toDouble(),
             m_subject->subject()},
            m_closeTiny->isChecked()};
}

void CleanLinesDialog::schedulePreview() {
    m_schedule.schedule();
}

void CleanLinesDialog::updatePreview() {
    if (m_source->page.isEmpty())
        return;
    const CleanLineChoice chosen = choice();
    m_millimetres->setText(
        tr("（A4で約 %1 mm）").arg(chosen.settings.thickness / m_pixelsPerMm, 0, 'f', 1));
    m_worker->request([this, source = m_source,
                       chosen](const std::function<bool()>& wanted,
                               const PreviewWorker::Draft& draft) -> PreviewWorker::Show {
        if (!source->previewer)
            source->previewer.emplace(source->page, kPreviewSide);
        const auto progress = [&wanted](int, int) { return wanted(); };
        // Called only while the dialog lives (see PreviewWorker).
        if (needsNewCut(chosen.settings.subject, source->drawn)) {
            CleanLineSettings rough = chosen.settings;
            rough.subject.rough = true;
            std::optional<CleanLinesPreview> first =
                source->previewer->preview(rough, chosen.closeTinyRegions, progress);
            if (!first)
                return {};
            // Its figures are not the page's: none are shown until the page's own.
            draft([this, marked = first->marked] {
                m_preview->showFitted(QPixmap::fromImage(marked));
                m_figures->clear();
            });
        }
        std::optional<CleanLinesPreview> preview;
        try {
            preview =
                source->previewer->preview(chosen.settings, chosen.closeTinyRegions, progress);
        } catch (const std::exception&) {
            // Whatever was shown (a rough first answer) is not the page OK gives, which says
            // why it cannot be made.
            return [this] {
                m_preview->clearPicture();
                m_figures->clear();
            };
        }
        if (!preview)
            return {};
        source->drawn = chosen.settings.subject;
        return [this, chosen, preview = std::move(*preview)] {
            m_preview->showFitted(QPixmap::fromImage(preview.marked));
            m_figures->setText(tr("インク %1% ・ 閉じた領域 %2 ・ 小さすぎる領域 %3"
                                  "（A4で幅%4 mm未満、赤）")
                                   .arg(preview.inkShare * 100.0, 0, 'f', 1)
                                   .arg(preview.regions)
                                   .arg(preview.tinyRegions)
                                   .arg(chosen.settings.smallestRegionMm));
        };
    });
}
