// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "page_choice_list.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

PageChoiceList::PageChoiceList(const QList<PageChoice>& choices, QWidget* parent)
    : QWidget(parent), m_pages(choices) {
    m_list = new QListWidget(this);
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const PageChoice& choice = choices[i];
        QString text = choice.name;
        // A photograph goes in as it is; the user should see that before binding or printing.
        if (choice.untouchedPhoto)
            text += tr("（写真のまま）");
        auto* item = new QListWidgetItem(text, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(choice.ticked ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, int(i));
    }
    m_up = new QPushButton(tr("上へ"), this);
    m_down = new QPushButton(tr("下へ"), this);
    connect(m_up, &QPushButton::clicked, this, [this] { move(m_list->currentRow(), -1); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(m_list->currentRow(), 1); });
    connect(m_list, &QListWidget::currentRowChanged, this, &PageChoiceList::updateButtons);
    connect(m_list, &QListWidget::itemChanged, this, &PageChoiceList::ticksChanged);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    m_list->setCurrentRow(0);
    updateButtons();
}

QList<PageChoice> PageChoiceList::choices() const {
    QList<PageChoice> result;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem* item = m_list->item(row);
        PageChoice choice = m_pages[item->data(Qt::UserRole).toInt()];
        choice.ticked = item->checkState() == Qt::Checked;
        result.append(choice);
    }
    return result;
}

void PageChoiceList::move(int row, int step) {
    const int to = row + step;
    if (row < 0 || row >= m_list->count() || to < 0 || to >= m_list->count())
        return;
    m_list->insertItem(to, m_list->takeItem(row));
    m_list->setCurrentRow(to);
}

void PageChoiceList::updateButtons() {
    const int row = m_list->currentRow();
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
}
