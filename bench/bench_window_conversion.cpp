// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The window's own commands on a page that shows a 24-megapixel photograph at standard
// size, on the offscreen platform: from the menu command to the new picture painted, the
// undo snapshot and the new display copy included. The counter longest_wait_ms is the
// longest time the window went without handling its messages while the command ran: how
// long a click could wait for an answer.

#include "clean_lines_dialog.h"
#include "page_image.h"
#include "photo_like.h"
#include "prompts.h"
#include "tform1.h"
#include "window_bench_main.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace {

class SilentPrompts : public Prompts {
public:
    bool confirm(const QString&, Default) override { return false; }
    void inform(const QString&) override {}
    void warn(const QString& message) override { errors.append(message); }
    void showError(const QString& message) override { errors.append(message); }
    QStringList openFileNames(const QString&) override { return {QStringLiteral("photo.jpg")}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    void beep() override {}
    // The clean-lines dialog's choices as it first shows them.
    bool cleanLinesDialog(const Bitmap&, CleanLineChoice&) override { return true; }
    QStringList errors;
};

bool loadPhoto(const QString&, Bitmap& bitmap) {
    bitmap = photo();
    return true;
}

// Measures the longest pause between two turns of the event loop while it exists.
class EventGaps {
public:
    EventGaps() {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.nsecsElapsed());
            m_clock.start();
        });
    }
    void start() {
        m_clock.start();
        m_timer.start();
    }
    qint64 stop() {
        m_timer.stop();
        return std::max(m_longest, m_clock.nsecsElapsed());
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

// Runs the command on a freshly opened page of the photograph each time.
void runCommand(benchmark::State& state, QAction* TForm1::*command) {
    SilentPrompts prompts;
    TForm1 form(prompts);
    form.setPictureLoader(&loadPhoto);
    form.show();
    form.File_Open_Nemu_ON();
    QCoreApplication::processEvents();
    TPageImage* page = form.Store.PageImages[0];
    qint64 longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page->setPicture(photo());
        QCoreApplication::processEvents();
        EventGaps gaps;
        gaps.start();
        state.ResumeTiming();
        (form.*command)->trigger();
        QCoreApplication::processEvents(); // paints the new picture
        state.PauseTiming();
        longest = std::max(longest, gaps.stop());
        state.ResumeTiming();
    }
    if (!prompts.errors.isEmpty())
        state.SkipWithError(prompts.errors.first().toStdString().c_str());
    state.counters["longest_wait_ms"] = double(longest) / 1e6;
}

void BM_ConvertToColouringPage(benchmark::State& state) {
    runCommand(state, &TForm1::N4);
}
BENCHMARK(BM_ConvertToColouringPage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The page and, kept with it for a vector book, what its lines were drawn from.
void BM_ConvertToCleanLines(benchmark::State& state) {
    runCommand(state, &TForm1::CleanLines1);
}
BENCHMARK(BM_ConvertToCleanLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lighter(benchmark::State& state) {
    runCommand(state, &TForm1::N9);
}
BENCHMARK(BM_Lighter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Darker(benchmark::State& state) {
    runCommand(state, &TForm1::N5);
}
BENCHMARK(BM_Darker)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [] { photo(); });
}
