// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "progress_range.h"

#include "app_error.h"

#include <QProgressBar>

void setProgressMaximum(QProgressBar& bar, int maximum) {
    if (maximum < bar.minimum())
        throw progressRangeError();
    bar.setMaximum(maximum);
}

void setProgressMinimum(QProgressBar& bar, int minimum) {
    if (minimum > bar.maximum())
        throw progressRangeError();
    bar.setMinimum(minimum);
}
