// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QApplication>

// The one QApplication of a test program, made on first use. Never destroyed: tearing Qt
// down from a static destructor at exit crashes.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "pintabel-test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}
