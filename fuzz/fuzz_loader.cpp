// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Feeds arbitrary bytes to the picture loader and checks what it promises: false leaves
// a 0 x 0 bitmap, true a bitmap the BMP writer takes, and the only exception is the
// program's own error, also with an empty bitmap.
#include "app_error.h"
#include "bitmap.h"
#include "bmp_writer.h"
#include "image_loader.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Pictures the fuzzer may claim stay within its memory limit.
    qputenv("PINTABEL_LOAD_BUDGET_MB", "256");
    static QGuiApplication app(*argc, *argv); // metafiles are drawn with QPainter
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Bitmap page(3, 3, 24);
    try {
        if (loadPicture(buffer, QStringLiteral("fuzz"), page)) {
            if (page.isEmpty() || EncodeBmp(page).isEmpty())
                std::abort();
        } else if (!page.isEmpty()) {
            std::abort();
        }
    } catch (const EAppError&) {
        if (!page.isEmpty())
            std::abort();
    }
    return 0;
}
