// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "command_dispatch.h"
#include "progress_range.h"
#include "prompts.h"
#include "test_application.h"

#include <QProgressBar>
#include <functional>
#include <new>
#include <stdexcept>

#include <gtest/gtest.h>

namespace {

class RecordingPrompts : public Prompts {
public:
    bool confirm(const QString&, Default) override { return false; }
    void inform(const QString&) override {}
    void warn(const QString&) override {}
    void showError(const QString& message) override { errors.append(message); }
    QStringList openFileNames(const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    void beep() override {}
    QStringList errors;
};

struct DispatchCase {
    const char* name;
    std::function<void()> command;
    QStringList shown;
};

class RunCommand : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(RunCommand, ShowsWhatTheCommandThrowsAndReturns) {
    RecordingPrompts prompts;
    runCommand(prompts, GetParam().command);
    EXPECT_EQ(prompts.errors, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunCommand,
    ::testing::Values(DispatchCase{"NoError", [] {}, {}},
                      DispatchCase{"AppError",
                                   [] { throw EAppError(QStringLiteral("読めません")); },
                                   {QStringLiteral("読めません")}},
                      DispatchCase{"OutOfMemory",
                                   [] { throw std::bad_alloc(); },
                                   {QStringLiteral("メモリが不足しています")}},
                      DispatchCase{"StandardError",
                                   [] { throw std::runtime_error("disk full"); },
                                   {QStringLiteral("disk full")}},
                      DispatchCase{"Anything",
                                   [] { throw 42; },
                                   {QStringLiteral("予期しないエラーが発生しました")}}),
    [](const ::testing::TestParamInfo<DispatchCase>& info) { return info.param.name; });

struct RangeCase {
    const char* name;
    int minimum;
    int maximum;
    bool setMaximum; // otherwise the minimum is set
    int value;
    bool refused;
};

class ProgressRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ProgressRange, RefusesARangeTurnedInsideOutAndKeepsTheBar) {
    ensureApplication();
    const RangeCase& c = GetParam();
    QProgressBar bar;
    bar.setRange(c.minimum, c.maximum);
    auto set = [&] {
        if (c.setMaximum)
            setProgressMaximum(bar, c.value);
        else
            setProgressMinimum(bar, c.value);
    };
    if (c.refused) {
        try {
            set();
            ADD_FAILURE() << "no error";
        } catch (const EAppError& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("プロパティ TProgressBar の範囲を超えています"));
        }
        EXPECT_EQ(bar.minimum(), c.minimum);
        EXPECT_EQ(bar.maximum(), c.maximum);
    } else {
        set();
        EXPECT_EQ(c.setMaximum ? bar.maximum() : bar.minimum(), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressRange,
    ::testing::Values(RangeCase{"MaximumAboveMinimum", 0, 100, true, 48, false},
                      RangeCase{"MaximumEqualToMinimum", 1, 100, true, 1, false},
                      RangeCase{"MaximumBelowMinimum", 1, 100, true, 0, true},
                      RangeCase{"NegativeMaximum", 0, 100, true, -1, true},
                      RangeCase{"MinimumBelowMaximum", 0, 100, false, 1, false},
                      RangeCase{"MinimumAboveMaximum", 0, 0, false, 1, true}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

} // namespace
