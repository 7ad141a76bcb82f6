// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "metafile_process.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

// Pictures are drawn with QPainter, which wants a GUI application (offscreen under ctest),
// as in the program and the command-line tool. Metafiles are drawn by the renderer
// program, as there.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QCoreApplication::instance())
            m_app = new QGuiApplication(m_argc, m_argv);
        setMetafileRenderer(QStringLiteral(PINTABEL_METAFILE));
    }
    void TearDown() override { delete m_app; }

private:
    int m_argc = 1;
    char m_name[16] = "test_files";
    char* m_argv[2] = {m_name, nullptr};
    QGuiApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
