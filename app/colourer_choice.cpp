// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colourer_choice.h"

#include <QComboBox>
#include <QCoreApplication>

#include <utility>

QComboBox* newColourerChoice(double mm, QWidget* parent) {
    auto* colourer = new QComboBox(parent);
    for (const auto& [caption, width] :
         {std::pair{QT_TRANSLATE_NOOP("ColourerChoice", "小さな子ども (8 mm)"), 8.0},
          std::pair{QT_TRANSLATE_NOOP("ColourerChoice", "子ども (5 mm)"), 5.0},
          std::pair{QT_TRANSLATE_NOOP("ColourerChoice", "大人 (3 mm)"), 3.0}})
        colourer->addItem(QCoreApplication::translate("ColourerChoice", caption), width);
    const int chosen = colourer->findData(mm);
    colourer->setCurrentIndex(chosen >= 0 ? chosen : colourer->count() - 1);
    return colourer;
}
