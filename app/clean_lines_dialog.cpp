// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines_dialog.h"

#include "clean_lines_preview.h"
#include "colourability.h"
#include "colourer_choice.h"
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

CleanLinesDialog::CleanLinesDialog(const Bitmap& page, const CleanLineChoice& choice,
                                   QWidget* parent)
    : QDialog(parent), m_previewer(page, kPreviewSide),
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
        new SubjectPreview(QSize(page.width(), page.height()), choice.settings.subject.box, this);
    m_preview->setMinimumSize(240, 160);
    m_subject = new SubjectControls(m_preview, choice.settings.subject.background, this);
    m_figures = new QLabel(this);

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
    layout->addWidget(m_figures);
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
    if (m_previewer.isEmpty())
        return;
    const CleanLineChoice chosen = choice();
    m_millimetres->setText(
        tr("（A4で約 %1 mm）").arg(chosen.settings.thickness / m_pixelsPerMm, 0, 'f', 1));
    const CleanLinesPreview preview = m_previewer.preview(chosen.settings, chosen.closeTinyRegions);
    m_preview->showFitted(QPixmap::fromImage(preview.marked));
    m_figures->setText(tr("インク %1% ・ 閉じた領域 %2 ・ 小さすぎる領域 %3"
                          "（A4で幅%4 mm未満、赤）")
                           .arg(preview.inkShare * 100.0, 0, 'f', 1)
                           .arg(preview.regions)
                           .arg(preview.tinyRegions)
                           .arg(chosen.settings.smallestRegionMm));
}
