// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "book_settings.h"
#include "page_choice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class PageChoiceList;
class PaletteChoice;

// The colouring book's settings: which pages go in and in what order, paper, margins,
// whether black-and-white pages are traced into curves, and whether the pages go in as
// colour-by-number pages.
class BookDialog : public QDialog {
    Q_OBJECT
public:
    BookDialog(const BookSettings& settings, const QList<PageChoice>& pages,
               QWidget* parent = nullptr);
    BookSettings settings() const;
    // Keeps the palette chosen for the next time, when accepted.
    void done(int result) override;
    QList<PageChoice> pages() const;
    PageChoiceList* pageList() const { return m_pages; }

private:
    PageChoiceList* m_pages = nullptr;
    QComboBox* m_paper = nullptr;
    QDoubleSpinBox* m_margin = nullptr;
    QCheckBox* m_vector = nullptr;
    QCheckBox* m_numbered = nullptr;
    QSpinBox* m_colours = nullptr;
    QComboBox* m_colourer = nullptr;
    PaletteChoice* m_palette = nullptr;
    QCheckBox* m_withPreview = nullptr;
};
