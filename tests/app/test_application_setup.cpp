// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application_setup.h"
#include "picture_open_dialog.h"
#include "test_application.h"

#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

TEST(ApplicationSetup, TheOpenDialogsStateGoesToAFolderRemovedAfterTheRun) {
    ensureApplication();
    QString folder;
    {
        const RunOnlySettings settings;
        folder = settings.folder();
        ASSERT_FALSE(folder.isEmpty());
        // The dialog writes its state when it is destroyed.
        delete new PictureOpenDialog(QStringLiteral("PNG (*.png)"));
        const QString file =
            QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
        EXPECT_TRUE(file.startsWith(folder + QLatin1Char('/'))) << file.toStdString();
        EXPECT_TRUE(QFileInfo::exists(file));
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

} // namespace
