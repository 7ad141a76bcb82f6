// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "command_dispatch.h"

#include "app_error.h"
#include "prompts.h"

#include <QCoreApplication>
#include <exception>
#include <new>

void runCommand(Prompts& prompts, const std::function<void()>& command) {
    try {
        command();
    } catch (const EAppError& error) {
        prompts.showError(error.message());
    } catch (const std::bad_alloc&) {
        prompts.showError(outOfMemoryError().message());
    } catch (const std::exception& error) {
        prompts.showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        prompts.showError(
            QCoreApplication::translate("CommandDispatch", "予期しないエラーが発生しました"));
    }
}
