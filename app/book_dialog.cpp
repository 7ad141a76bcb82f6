// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "book_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

BookDialog::BookDialog(const BookSettings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("塗り絵ブック"));
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

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("用紙"), m_paper);
    form->addRow(tr("余白"), m_margin);
    form->addRow(m_vector);
    form->addRow(buttons);
}

BookSettings BookDialog::settings() const {
    BookSettings chosen;
    chosen.paper = BookPaper(m_paper->currentData().toInt());
    chosen.marginMillimetres = m_margin->value();
    chosen.vector = m_vector->isChecked();
    return chosen;
}
