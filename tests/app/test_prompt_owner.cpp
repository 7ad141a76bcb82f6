// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "qt_prompts.h"
#include "test_application.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

namespace {

TEST(PromptOwner, EveryBoxBelongsToTheOwnerWindowWhicheverWindowIsActive) {
    ensureApplication();
    QWidget owner;
    owner.show();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QtPrompts prompts;
    prompts.setOwner(&owner);
    const struct {
        const char* name;
        std::function<void()> ask;
    } boxes[] = {
        {"confirm", [&] { prompts.confirm(QStringLiteral("?"), Prompts::Default::Ok); }},
        {"inform", [&] { prompts.inform(QStringLiteral("i")); }},
        {"showError", [&] { prompts.showError(QStringLiteral("e")); }},
        {"warn", [&] { prompts.warn(QStringLiteral("w")); }},
        {"openFileNames", [&] { prompts.openFileNames(QStringLiteral("PNG (*.png)")); }},
    };
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.name);
        QWidget* parent = nullptr;
        QTimer::singleShot(0, [&parent] {
            if (auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                parent = shown->parentWidget();
                shown->reject();
            }
        });
        box.ask();
        EXPECT_EQ(parent, &owner);
    }
}

} // namespace
