// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The metafile renderer's drawing on arbitrary bytes: a null picture or one of the size
// the file declares, never a crash. The window and the tool run it in a child process,
// so a fault found here costs one file there, but it is still a fault.
#include "metafile.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    constexpr qint64 kMaxBytes = qint64(64) << 20;
    bool tooLarge = false;
    const QImage picture = renderMetafile(bytes, kMaxBytes, tooLarge);
    if (!picture.isNull() && (tooLarge || picture.sizeInBytes() > kMaxBytes))
        std::abort();
    return 0;
}
