// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QSettings>

// What the program keeps between runs (the folder last opened from, the conversion dialogs'
// choices), in a file of its own under the user's configuration folder. Qt's own dialog
// state is kept apart and dropped after each run (RunOnlySettings).
class KeptSettings : public QSettings {
public:
    KeptSettings();

    // Where the settings are kept from now on, for a test that must not touch the user's.
    static void useFile(const QString& path);
};
