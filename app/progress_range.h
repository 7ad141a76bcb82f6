// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

class QProgressBar;

// Range setters that refuse a maximum below the minimum (or a minimum above the maximum)
// with the user-facing error "プロパティ TProgressBar の範囲を超えています", leaving the bar
// as it was. Qt would quietly move the other end instead.
void setProgressMaximum(QProgressBar& bar, int maximum);
void setProgressMinimum(QProgressBar& bar, int minimum);
