// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <functional>

class Prompts;

// Runs one command of the window. Any error it throws is shown to the user through
// prompts.showError and goes no further, so the program carries on in the state the
// command left.
void runCommand(Prompts& prompts, const std::function<void()>& command);
