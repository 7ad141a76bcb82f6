// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

// main() of a benchmark of the window's widgets: offscreen unless a platform is asked for,
// and the picture made by prepare before the clock runs, whichever benchmarks are chosen.
template <typename Prepare> int RunWindowBenchmarks(int argc, char** argv, Prepare prepare) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
