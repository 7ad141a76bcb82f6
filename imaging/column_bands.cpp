// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "column_bands.h"

#include <algorithm>

ColumnBands::ColumnBands(int first, int last, int budgetMs)
    : m_next(first), m_end(last < first ? first : last + 1), m_budgetMs(std::max(budgetMs, 1)) {}

bool ColumnBands::next(int& x0, int& x1) {
    if (m_lastSize > 0) {
        // The time since the last band was handed out is what that band cost, the caller's
        // own work between bands included.
        const qint64 ns = std::max<qint64>(m_timer.nsecsElapsed(), 1);
        const double perColumn = double(ns) / m_lastSize;
        const double wanted = m_budgetMs * 1e6 / perColumn;
        // Grows at most fourfold per band, so one slow band cannot follow a lucky fast one.
        const double limited = std::min(wanted, 4.0 * m_lastSize);
        m_size = int(std::clamp(limited, 1.0, 1e6));
    }
    if (m_next >= m_end)
        return false;
    x0 = m_next;
    x1 = int(std::min<qint64>(qint64(m_next) + m_size, m_end));
    m_next = x1;
    m_lastSize = x1 - x0;
    m_timer.start();
    return true;
}
