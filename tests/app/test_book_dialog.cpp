// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "book_dialog.h"
#include "page_choice_list.h"
#include "test_application.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

TEST(BookDialog, ColourByNumberChoiceComesBackOnlyWhenChecked) {
    ensureApplication();
    const struct {
        int given;     // numberColours the dialog opens with
        bool numbered; // the box then set
        int colours;   // the count then set
        int colourer;  // the entry then picked
        int expected;  // numberColours given back
        double mm;
    } cases[] = {{0, false, 12, 0, 0, 8.0},
                 {0, true, 12, 0, 12, 8.0},
                 {20, true, 20, 2, 20, 3.0},
                 {20, false, 20, 1, 0, 5.0}};
    for (const auto& c : cases) {
        BookSettings given;
        given.numberColours = c.given;
        BookDialog dialog(given, {});
        QCheckBox* numbered = nullptr;
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            if (box->text() == QStringLiteral("数字で塗り絵にして書き出す"))
                numbered = box;
        auto* colours = dialog.findChild<QSpinBox*>();
        QComboBox* colourer = dialog.findChildren<QComboBox*>().value(1);
        ASSERT_TRUE(numbered && colours && colourer);
        EXPECT_EQ(numbered->isChecked(), c.given > 0);
        numbered->setChecked(c.numbered);
        EXPECT_EQ(colours->isEnabled(), c.numbered);
        colours->setValue(c.colours);
        colourer->setCurrentIndex(c.colourer);
        EXPECT_EQ(dialog.settings().numberColours, c.expected) << c.given;
        EXPECT_EQ(dialog.settings().smallestRegionMm, c.mm) << c.given;
    }
}

// The book's list of pages: each by its tab's name, photographs marked, every page ticked at
// first; moves and ticks come back as the user left them, and a book of no pages cannot be
// confirmed.
TEST(BookDialog, PageListComesBackInTheOrderAndWithTheTicksLeft) {
    ensureApplication();
    const QList<PageChoice> pages{{0, QStringLiteral("a.jpg"), true, true},
                                  {1, QStringLiteral("b.png"), false, true},
                                  {2, QStringLiteral("c.bmp"), false, true}};
    const struct {
        QList<QPair<int, int>> moves; // row, step
        QList<int> untick;            // rows, after the moves
        QList<int> chosen;
    } cases[] = {{{}, {}, {0, 1, 2}},
                 {{{0, 1}, {1, 1}}, {}, {1, 2, 0}},
                 {{{2, -1}, {0, -1}, {2, 1}}, {0}, {2, 1}},
                 {{}, {0, 1, 2}, {}}};
    for (const auto& c : cases) {
        BookDialog dialog(BookSettings(), pages);
        auto* list = dialog.findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("a.jpg（写真のまま）"));
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("b.png"));
        for (const auto& [row, step] : c.moves)
            dialog.pageList()->move(row, step);
        for (int row : c.untick)
            list->item(row)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(chosenPages(dialog.pages()), c.chosen);
        const QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        EXPECT_EQ(ok->isEnabled(), !c.chosen.isEmpty());
    }
}

} // namespace
