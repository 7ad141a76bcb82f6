// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QElapsedTimer>

// Splits columns first..last (inclusive) into consecutive bands [x0, x1) whose size adapts
// so that one band takes about budgetMs milliseconds, starting with one column. A pixel loop
// handles window messages and progress between bands while the work runs on whole bands.
// next() returns false once every column has been given out.
class ColumnBands {
public:
    ColumnBands(int first, int last, int budgetMs = 8);
    bool next(int& x0, int& x1);

private:
    int m_next;
    int m_end;
    int m_budgetMs;
    int m_size = 1;
    int m_lastSize = 0;
    QElapsedTimer m_timer;
};
