// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colour_by_number_dialog.h"

#include "app_error.h"
#include "clean_lines_preview.h"
#include "colour_field.h"
#include "colourer_choice.h"
#include "palette_choice.h"
#include "preview_worker.h"
#include "subject_chooser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

// What the drawings of the preview keep between them (they run one at a time, and may finish
// after the dialog closed).
struct ColourByNumberDialog::Drawn {
    // The subject of the last drawing that finished.
    Subject subject{};
    // The page shrunk for first answers.
    std::optional<Bitmap> small;
};

ColourByNumberDialog::ColourByNumberDialog(const Bitmap& page,
                                           const ColourByNumberSettings& settings, QWidget* parent)
    : QDialog(parent), m_page(page), m_drawn(std::make_shared<Drawn>()),
      m_schedule(this, [this] { updatePreview(); }) {
    setWindowTitle(tr("数字で塗り絵に変換"));
    m_colours = new QSpinBox(this);
    m_colours->setRange(kFewestNumberColours, kMostNumberColours);
    m_colours->setValue(settings.colours);
    m_colourer = newColourerChoice(settings.smallestRegionMm, this);
    m_palette = new PaletteChoice(settings.palette ? settings.palette->source : QString(), this);
    m_numbered = new FittedPicture(this);
    m_numbered->expectShape(QSize(page.width(), page.height()));
    m_painted = new SubjectPreview(QSize(page.width(), page.height()), settings.subject, this);
    for (FittedPicture* picture : {m_numbered, static_cast<FittedPicture*>(m_painted)})
        picture->setMinimumSize(210, 140);
    m_subject = new SubjectControls(m_painted, settings.subject.background, this);
    m_figures = new QLabel(this);
    m_drawing = new QLabel(tr("プレビューを描いています…"), this);
    m_drawing->setObjectName(QStringLiteral("drawingPreview"));
    m_drawing->hide();
    m_worker = new PreviewWorker(this);
    connect(m_worker, &PreviewWorker::busyChanged, m_drawing, &QWidget::setVisible);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(m_numbered, 1);
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
    auto* state = new QHBoxLayout;
    state->addWidget(m_figures, 1);
    state->addWidget(m_drawing);
    layout->addLayout(state);
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

// Posts the numbered page of small (page shrunk) from a rough cut: false when abandoned. A
// copy too small to number leaves the first answer out; the page's own says why.
bool ColourByNumberDialog::firstAnswer(ColourByNumberDialog* dialog, const Bitmap& small,
                                       const Bitmap& page, const ColourByNumberSettings& chosen,
                                       cv::Size shownSize, const StageProgress& progress,
                                       const PreviewWorker::Draft& draft) {
    const cv::Size picture(page.width(), page.height());
    const cv::Size copy(small.width(), small.height());
    ColourByNumberSettings rough = chosen;
    rough.subject.box = scaledBox(chosen.subject.box, picture, copy);
    rough.subject.strokes = scaledStrokes(chosen.subject.strokes, picture, copy);
    rough.subject.rough = true;
    std::optional<NumberedRegions> first;
    try {
        first = numberRegions(small, rough, progress);
    } catch (const EAppError&) {
        return true;
    }
    if (!first)
        return false;
    const NumberedRegions shown = scaledRegions(*first, shownSize);
    // Its figures are not the page's: none are shown until the page's own.
    draft(
        [dialog, numbered = numberedPage(shown).image(), painted = colouredPreview(shown).image()] {
            dialog->m_numbered->showFitted(QPixmap::fromImage(numbered));
            dialog->m_painted->showFitted(QPixmap::fromImage(painted));
            dialog->m_figures->clear();
        });
    return true;
}

void ColourByNumberDialog::updatePreview() {
    if (m_page.isEmpty())
        return;
    m_worker->request([this, page = m_page, drawn = m_drawn, chosen = settings()](
                          const std::function<bool()>& wanted,
                          const PreviewWorker::Draft& draft) -> PreviewWorker::Show {
        const auto progress = [&wanted](int, int) { return wanted(); };
        const cv::Size shownSize = shrunkSize(cv::Size(page.width(), page.height()), kShownSide);
        try {
            // The copy for first answers is made by the drawing that opens the dialog, where it
            // adds little, so that the first box dragged is answered as soon as the next. A
            // page with the whole background has no cut, and no first answer.
            if (!drawn->small) {
                double scale = 1.0;
                drawn->small = shrinkForPreview(page, kFirstAnswerSide, scale);
            }
            if (chosen.subject.background != Background::Full &&
                needsNewCut(chosen.subject, drawn->subject) &&
                !firstAnswer(this, *drawn->small, page, chosen, shownSize, progress, draft))
                return {};
            const std::optional<NumberedRegions> regions = numberRegions(page, chosen, progress);
            if (!regions)
                return {};
            drawn->subject = chosen.subject;
            const NumberedRegions shown = scaledRegions(*regions, shownSize);
            const QImage numbered = numberedPage(shown).image();
            const QImage painted = colouredPreview(shown).image();
            const QString figures =
                tr("色 %1 ・ 領域 %2").arg(regions->palette.size()).arg(regions->labels.size());
            // Called only while the dialog lives (see PreviewWorker).
            return [this, numbered, painted, figures] {
                m_numbered->showFitted(QPixmap::fromImage(numbered));
                m_painted->showFitted(QPixmap::fromImage(painted));
                m_figures->setText(figures);
            };
        } catch (const EAppError& error) {
            return [this, message = error.message()] {
                m_numbered->clearPicture();
                m_painted->clearPicture();
                m_figures->setText(message);
            };
        } catch (const std::exception&) {
            // Whatever was shown (a rough first answer) is not the page OK gives, which says
            // why it cannot be made.
            return [this] {
                m_numbered->clearPicture();
                m_painted->clearPicture();
                m_figures->clear();
            };
        }
    });
}
