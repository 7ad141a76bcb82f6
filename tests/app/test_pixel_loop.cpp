// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "column_bands.h"
#include "page_image.h"
#include "page_store.h"
#include "pixel_loop.h"
#include "test_application.h"

#include <QProgressBar>
#include <QTimer>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace {

struct LoopCase {
    const char* name;
    PixelLoop::Kind kind;
    int minimum, maximum;
    bool abandon;     // the user abandons it after the first band
    bool closeWindow; // the window is asked to close after the first band
    bool completed, abortRequested, threw;
};

void PrintTo(const LoopCase& c, std::ostream* out) {
    *out << c.name;
}

class PixelLoopRules : public ::testing::TestWithParam<LoopCase> {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
};

// Whichever way a loop ends, the bar shows no progress and is hidden, no conversion is
// marked, no loop runs any more, and a close asked for meanwhile happens afterwards.
TEST_P(PixelLoopRules, EveryWayOutLeavesTheWindowIdle) {
    const LoopCase& c = GetParam();
    QWidget window;
    window.show();
    QProgressBar bar(&window);
    PageStore store;
    store.AbortRequested = true; // left over from an earlier loop
    PixelLoops loops(window);
    TPageImage image;
    const QPointer<TPageImage> page = &image;
    bool completed = false, threw = false, runningInside = false, convertingInside = false;
    int bands = 0;
    try {
        PixelLoop loop(loops, store, bar, c.kind);
        loop.showProgress(c.minimum, c.maximum);
        completed = loop.run(page, ColumnBands(0, 9, 1), [&](int, int) {
            runningInside = loops.anyRunning() && bar.isVisible();
            convertingInside = store.Converting;
            if (bands++ == 0 && c.abandon)
                store.AbortRequested = true;
            if (c.closeWindow && !loops.deferClose(store))
                ADD_FAILURE() << "a close while a loop runs must wait";
        });
    } catch (const EAppError&) {
        threw = true;
    }
    EXPECT_EQ(completed, c.completed);
    EXPECT_EQ(threw, c.threw);
    EXPECT_EQ(store.AbortRequested, c.abortRequested);
    if (!c.threw) {
        EXPECT_TRUE(runningInside);
        EXPECT_EQ(convertingInside, c.kind == PixelLoop::Conversion);
    }
    EXPECT_FALSE(loops.anyRunning());
    EXPECT_FALSE(store.Converting);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(bar.value(), bar.minimum() - 1);
    EXPECT_TRUE(window.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(window.isVisible(), !c.closeWindow);
    EXPECT_FALSE(loops.deferClose(store));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PixelLoopRules,
    ::testing::Values(LoopCase{"ConversionToItsEnd", PixelLoop::Conversion, 1, 8, false, false,
                               true, false, false},
                      LoopCase{"ConversionAbandoned", PixelLoop::Conversion, 1, 8, true, false,
                               false, true, false},
                      LoopCase{"ConversionWhileTheWindowCloses", PixelLoop::Conversion, 1, 8, false,
                               true, false, true, false},
                      LoopCase{"AdjustmentWhileTheWindowCloses", PixelLoop::Adjustment, 0, 10,
                               false, true, true, false, false},
                      LoopCase{"RangeError", PixelLoop::Conversion, 1, 0, false, false, false,
                               false, true}),
    [](const ::testing::TestParamInfo<LoopCase>& info) { return info.param.name; });

// Work on a thread of its own is told to stop once the user abandons the loop, and what it
// throws comes out of the loop, after the thread has ended.
TEST(PixelLoopOnWorker, StopsWhenAbandonedAndPassesItsErrorOn) {
    ensureApplication();
    QWidget window;
    QProgressBar bar(&window);
    PageStore store;
    PixelLoops loops(window);
    TPageImage image;
    const QPointer<TPageImage> page = &image;
    PixelLoop loop(loops, store, bar, PixelLoop::Conversion);
    loop.showProgress(0, 5);

    QTimer::singleShot(0, [&store] { store.AbortRequested = true; });
    bool stopped = false;
    EXPECT_FALSE(loop.runOnWorker(page, [&stopped](const PixelLoop::Reach& reach) {
        for (int i = 0; !stopped; ++i) {
            stopped = !reach(i % 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }));
    EXPECT_TRUE(stopped);

    store.AbortRequested = false;
    EXPECT_TRUE(loop.runOnWorker(page, [](const PixelLoop::Reach& reach) { reach(4); }));
    EXPECT_THROW(loop.runOnWorker(page,
                                  [](const PixelLoop::Reach&) {
                                      throw EAppError(QStringLiteral("out of memory"));
                                  }),
                 EAppError);
}

} // namespace
