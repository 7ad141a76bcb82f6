// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The metafile record walk on arbitrary bytes, as EMF and as WMF.
#include "metafile_records.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    emfRecordsHold(bytes);
    wmfRecordsHold(bytes);
    return 0;
}
