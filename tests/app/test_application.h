// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The printing tests share this header without linking the window's library, so only the
// window's tests (which define PINTABEL_KEPT_SETTINGS) move its kept settings aside.
#ifdef PINTABEL_KEPT_SETTINGS
#include "kept_settings.h"
#endif

#include <QApplication>
#include <QTemporaryDir>

// The one QApplication of a test program, made on first use, with the settings the program
// keeps between runs in a folder of the test's own. Never destroyed: tearing Qt down from a
// static destructor at exit crashes.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "pintabel-test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    new QApplication(argc, argv);
#ifdef PINTABEL_KEPT_SETTINGS
    static QTemporaryDir kept;
    KeptSettings::useFile(kept.filePath(QStringLiteral("kept.ini")));
#endif
}
