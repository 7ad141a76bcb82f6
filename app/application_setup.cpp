// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application_setup.h"

#include <QSettings>

RunOnlySettings::RunOnlySettings() {
    if (!m_folder.isValid())
        return;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, m_folder.path());
}
