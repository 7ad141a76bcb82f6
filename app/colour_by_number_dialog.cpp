// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colour_by_number_dialog.h"

#include "app_error.h"
#include "clean_lines_preview.h"
#include "colourer_choice.h"
#include "palette_choice.h"
#include "subject_chooser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

ColourByNumberDialog::ColourByNumberDialog(const Bitmap& page,
                                           const ColourByNumberSettings& settings, QWidget* parent)
    : QDialog(parent), m_pictureSize(page.width(), page.height()),
      m_small(shrinkForPreview(page, kPreviewSide, m_scale)),
      m_schedule(this, [this] { updatePreview(); }) {
    setWindowTitle(tr("数字で塗り絵に変換"));
    m_colours = new QSpinBox(this);
    m_colours->setRange(kFewestNumberColours, kMostNumberColours);
    m_colours->setValue(settings.colours);
    m_colourer = newColourerChoice(settings.smallestRegionMm, this);
    m_palette = new PaletteChoice(settings.palette ? settings.palette->source : QString(), this);
    m_page = new QLabel(this);
    m_page->setAlignment(Qt::AlignCenter);
    m_painted = new SubjectPreview(QSize(page.width(), page.height()), settings.subject.box, this);
    for (QLabel* label : {m_page, static_cast<QLabel*>(m_painted)})
        label->setMinimumSize(kShownSide / 2, kShownSide / 3);
    m_subject = new SubjectControls(m_painted, settings.subject.background, this);
    m_figures = new QLabel(this);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(m_page, 1);
    pictures->addWidget(m_painted, 1);
    auto* form = new QFormLayout;
    form->addRow(tr("色の数"), m_colours);
    form->addRow(tr("塗る人"), m_colourer);
    form->addRow(tr("色の組"), m_palette);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictures, 1);
    layout->addWidget(m_subject);
    layout->addWidget(m_figures);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_colours, &QSpinBox::valueChanged, this, [this] { m_schedule.schedule(); });
    connect(m_colourer, &QComboBox::currentIndexChanged, this, [this] { m_schedule.schedule(); });
    connect(m_palette, &QComboBox::currentIndexChanged, this, [this] { m_schedule.schedule(); });
    connect(m_subject, &SubjectControls::changed, this, [this] { m_schedule.schedule(); });
    m_schedule.drawNow();
}

ColourByNumberSettings ColourByNumberDialog::settings() const {
    return {m_colours->value(), m_colourer->currentData().toDouble(), m_palette->palette(),
            m_subject->subject()};
}

void ColourByNumberDialog::done(int result) {
    if (result == QDialog::Accepted)
        m_palette->keep();
    QDialog::done(result);
}

void ColourByNumberDialog::updatePreview() {
    m_page->clear();
    m_painted->clear();
    if (m_small.isEmpty())
        return;
    auto shown = [](const Bitmap& bitmap) {
        return QPixmap::fromImage(bitmap.image())
            .scaled(kShownSide, kShownSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    };
    try {
        ColourByNumberSettings small = settings();
        small.subject.box = scaledBox(small.subject.box, m_pictureSize,
                                      cv::Size(m_small.width(), m_small.height()));
        const NumberedRegions regions = *numberRegions(m_small, small);
        m_page->setPixmap(shown(numberedPage(regions)));
        m_painted->setPixmap(shown(colouredPreview(regions)));
        m_figures->setText(
            tr("色 %1 ・ 領域 %2").arg(regions.palette.size()).arg(regions.labels.size()));
    } catch (const EAppError& error) {
        m_figures->setText(error.message());
    }
}
