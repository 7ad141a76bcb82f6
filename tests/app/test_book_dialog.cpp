// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "book_dialog.h"
#include "test_application.h"

#include <QCheckBox>
#include <QComboBox>
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
        BookDialog dialog(given);
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

} // namespace
