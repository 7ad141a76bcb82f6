// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "app_error.h"

#include <opencv2/core.hpp>

#include <QString>

// The refusal of a step that OpenCV could not carry through on this picture (a size or
// shape nothing before it foresaw), naming the step in the program's own words.
EAppError stepFailed(const QString& step);

// Runs a line-art step; an error OpenCV raises inside it reaches the user as stepFailed,
// never as the library's own text. The last resort: each step refuses what it knows it
// cannot do before it starts.
template <class Work> decltype(auto) runLineArtStep(const QString& step, Work&& work) {
    try {
        return work();
    } catch (const cv::Exception&) {
        throw stepFailed(step);
    }
}
