#include "memory_budget.h"

#include <QFile>
#include <QtGlobal>

#include <limits>

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();

qint64 memAvailable() {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return -1;
    while (!meminfo.atEnd()) {
        const QByteArray line = meminfo.readLine();
        if (!line.startsWith("MemAvailable:"))
            continue;
        bool ok = false;
        const qint64 kib = line.mid(13).replace("kB", "").trimmed().toLongLong(&ok);
        return ok && kib >= 0 && kib < kMax / 1024 ? kib * 1024 : -1;
    }
    return -1;
}

} // namespace

qint64 loadBudgetFor(qint64 available) {
    if (available < 0)
        return kPictureLimitBytes;
    return qMin(kPictureLimitBytes, available / 4 * 3);
}

qint64 loadBudget() {
    const qint64 budget = loadBudgetFor(memAvailable());
    // A batch job (or a fuzzer) may cap each picture lower.
    bool ok = false;
    const qint64 capMiB = qEnvironmentVariableIntValue("PINTABEL_LOAD_BUDGET_MB", &ok);
    return ok && capMiB >= 0 ? qMin(budget, capMiB << 20) : budget;
}

qint64 pictureBytes(qint64 width, qint64 height, int bitsPerPixel) {
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0)
        return 0;
    if (width > kMax / 64)
        return kMax;
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    if (height > kMax / rowBytes)
        return kMax;
    return rowBytes * height;
}

qint64 addBytes(qint64 a, qint64 b) {
    return a > kMax - b ? kMax : a + b;
}
