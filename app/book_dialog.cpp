// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "book_dialog.h"

#include "colour_by_number.h"
#include "colourer_choice.h"
#include "page_choice_list.h"
#include "palette_choice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

BookDialog::BookDialog(const BookSettings& settings, const QList<PageChoice>& pages,
                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("塗り絵ブック"));
    m_pages = new PageChoiceList(pages, this);
    m_paper = new QComboBox(this);
    m_paper->addItem(QStringLiteral("A4"), int(BookPaper::A4));
    m_paper->addItem(QStringLiteral("Letter"), int(BookPaper::Letter));
    m_paper->setCurrentIndex(m_paper->findData(int(settings.paper)));
    m_margin = new QDoubleSpinBox(this);
    // Up to 100 mm: even then both papers keep room between the margins.
    m_margin->setRange(0, 100);
    m_margin->setDecimals(1);
    m_margin->setSuffix(QStringLiteral(" mm"));
    m_margin->setValue(settings.marginMillimetres);
    m_vector = new QCheckBox(tr("白黒のページを線(ベクトル)で書き出す"), this);
    m_vector->setChecked(settings.vector);
    m_numbered = new QCheckBox(tr("数字で塗り絵にして書き出す"), this);
    m_numbered->setChecked(settings.numberColours > 0);
    m_colours = new QSpinBox(this);
    m_colours->setRange(kFewestNumberColours, kMostNumberColours);
    m_colours->setValue(settings.numberColours > 0 ? settings.numberColours
                                                   : ColourByNumberSettings().colours);
    m_colourer = newColourerChoice(settings.smallestRegionMm, this);
    m_palette = new PaletteChoice(settings.numberPalette, this);
    m_withPreview = new QCheckBox(tr("塗り終えた見本を次のページに付ける"), this);
    m_withPreview->setChecked(settings.withPreview);
    for (QWidget* choice :
         {static_cast<QWidget*>(m_colours), static_cast<QWidget*>(m_colourer),
          static_cast<QWidget*>(m_palette), static_cast<QWidget*>(m_withPreview)}) {
        choice->setEnabled(m_numbered->isChecked());
        connect(m_numbered, &QCheckBox::toggled, choice, &QWidget::setEnabled);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A book needs a page.
    connect(m_pages, &PageChoiceList::ticksChanged, this, [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!chosenPages(this->pages()).isEmpty());
    });

    auto* form = new QFormLayout(this);
    form->addRow(tr("ページ"), m_pages);
    form->addRow(tr("用紙"), m_paper);
    form->addRow(tr("余白"), m_margin);
    form->addRow(m_vector);
    form->addRow(m_numbered);
    form->addRow(tr("色の数"), m_colours);
    form->addRow(tr("塗る人"), m_colourer);
    form->addRow(tr("色の組"), m_palette);
    form->addRow(m_withPreview);
    form->addRow(buttons);
}

BookSettings BookDialog::settings() const {
    BookSettings chosen;
    chosen.paper = BookPaper(m_paper->currentData().toInt());
    chosen.marginMillimetres = m_margin->value();
    chosen.vector = m_vector->isChecked();
    chosen.numberColours = m_numbered->isChecked() ? m_colours->value() : 0;
    chosen.smallestRegionMm = m_colourer->currentData().toDouble();
    chosen.withPreview = m_withPreview->isChecked();
    if (const std::optional<CrayonPalette> palette = m_palette->palette())
        chosen.numberPalette = palette->source;
    return chosen;
}

void BookDialog::done(int result) {
    if (result == QDialog::Accepted)
        m_palette->keep();
    QDialog::done(result);
}

QList<PageChoice> BookDialog::pages() const {
    return m_pages->choices();
}
