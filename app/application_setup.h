// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QTemporaryDir>

// Qt's file dialogs remember their folder, columns and history in a settings file under the
// user's configuration folder. The program keeps none of that between runs (what it does
// keep is in KeptSettings): while an object of this class exists, such settings go to a
// folder of its own, removed with it.
class RunOnlySettings {
public:
    RunOnlySettings();
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};
