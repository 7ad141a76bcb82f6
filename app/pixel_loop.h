// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QPointer>
#include <functional>

class ColumnBands;
class PageStore;
class QProgressBar;
class QWidget;
class TPageImage;

// The window's running pixel loops. A loop lets window messages through, so commands run
// inside it; they ask here before they process, replace or free a page, and a close that
// arrives meanwhile waits here for the last loop to end.
class PixelLoops {
public:
    explicit PixelLoops(QWidget& window) : m_window(window) {}

    // Whether a loop runs on some page: until it ends, every page picture is its own.
    bool anyRunning() const { return m_depth > 0; }
    // For a request to close the window: false when no loop runs and it may close now.
    // Otherwise a conversion is abandoned and the window closes once the last loop has
    // returned from its command.
    bool deferClose(PageStore& store);

private:
    friend class PixelLoop;
    QWidget& m_window;
    int m_depth = 0;
    bool m_closePending = false;
};

// One pixel loop, from its start to whichever way out it takes (to its end, abandoned,
// or by an error): it counts as running, a conversion is marked in the page store so
// that a click may abandon it, and on the way out the progress bar is reset and hidden,
// the mark cleared and a close that waited for the loop carried out. Between its steps
// it moves the bar and lets window messages through, whether the work runs here or on a
// thread of its own.
class PixelLoop {
public:
    enum Kind { Conversion, Adjustment };
    // Told by work on a thread of its own how far it has come (a value of the bar): false
    // once the loop has been abandoned or its page went away, when the work should stop.
    using Reach = std::function<bool(int value)>;

    PixelLoop(PixelLoops& loops, PageStore& store, QProgressBar& progress, Kind kind);
    ~PixelLoop();
    PixelLoop(const PixelLoop&) = delete;
    PixelLoop& operator=(const PixelLoop&) = delete;

    // Shows the bar from minimum to maximum, at minimum. A maximum below the minimum is
    // the bar's range error (thrown), the bar left as it was.
    void showProgress(int minimum, int maximum);
    // Runs work over the bands, moving the bar to the last column of each and letting
    // window messages through after it; false when the loop was abandoned or its page
    // went away meanwhile.
    bool run(const QPointer<TPageImage>& page, ColumnBands bands,
             const std::function<void(int, int)>& work);
    // Moves the bar to value and lets window messages through.
    void advance(int value);
    // Runs work on a thread of its own and waits for it here, letting window messages
    // through and moving the bar to the value work last reached; false when the loop was
    // abandoned or its page went away meanwhile. What work throws is thrown here once its
    // thread has ended.
    bool runOnWorker(const QPointer<TPageImage>& page,
                     const std::function<void(const Reach&)>& work);
    // The bar reset and hidden and the conversion mark cleared, before the loop's result
    // is kept; done again by the destructor when a loop ends otherwise.
    void end();

private:
    bool abandoned(const QPointer<TPageImage>& page) const;

    PixelLoops& m_loops;
    PageStore& m_store;
    QProgressBar& m_progress;
    Kind m_kind;
};
