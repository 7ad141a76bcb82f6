// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "kept_settings.h"

#include <QStandardPaths>

namespace {

QString& chosenFile() {
    static QString file;
    return file;
}

QString keptFile() {
    if (!chosenFile().isEmpty())
        return chosenFile();
    // An explicit file: QSettings' own user scope is redirected for Qt's dialog state.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Pintabel/pintabel.ini");
}

} // namespace

KeptSettings::KeptSettings() : QSettings(keptFile(), QSettings::IniFormat) {}

void KeptSettings::useFile(const QString& path) {
    chosenFile() = path;
}
