// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "memory_budget.h"

#include <QFile>
#include <QStringList>
#include <QtGlobal>

#include <limits>
#include <optional>

#include <sys/resource.h>

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();

QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    // Files under /proc and /sys report no size: read up to a bound instead.
    return file.open(QIODevice::ReadOnly) ? file.read(1 << 16) : QByteArray();
}

std::optional<qint64> number(const QByteArray& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok && value >= 0 ? std::optional<qint64>(value) : std::nullopt;
}

// The value of "key value [kB]" in a file of such lines, in bytes.
std::optional<qint64> keyedValue(const QByteArray& text, const QByteArray& key, qint64 unit) {
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 2 && fields[0] == key)
            if (const std::optional<qint64> value = number(fields[1]);
                value && *value < kMax / unit)
                return *value * unit;
    }
    return std::nullopt;
}

qint64 least(qint64 a, qint64 b) {
    return a < 0 ? b : b < 0 ? a : qMin(a, b);
}

// Room under the limit of the group in folder: limit less what is used and cannot simply
// be dropped; -1 when the group has no limit ("max", or files missing).
qint64 groupRoom(const QString& folder, const char* limitFile, const char* usageFile,
                 const QByteArray& inactiveFileKey) {
    const std::optional<qint64> limit = number(readSmallFile(folder + limitFile));
    if (!limit)
        return -1;
    const qint64 usage = number(readSmallFile(folder + usageFile)).value_or(0);
    const qint64 cache =
        keyedValue(readSmallFile(folder + "/memory.stat"), inactiveFileKey, 1).value_or(0);
    return qMax<qint64>(0, *limit - qMax<qint64>(0, usage - cache));
}

// The least room of the group at path (below mount) and every group above it, which all
// hold the process's memory.
qint64 groupTreeRoom(const QString& mount, QString path, const char* limitFile,
                     const char* usageFile, const QByteArray& inactiveFileKey) {
    qint64 room = -1;
    for (;;) {
        room = least(room, groupRoom(mount + path, limitFile, usageFile, inactiveFileKey));
        if (path.isEmpty() || path == QLatin1String("/"))
            return room;
        path.truncate(qMax(0, path.lastIndexOf(QLatin1Char('/'))));
    }
}

qint64 controlGroupRoom(const QString& root) {
    qint64 room = -1;
    for (const QByteArray& line : readSmallFile(root + "/proc/self/cgroup").split('\n')) {
        // hierarchy-id:controllers:path, where v2's single hierarchy names no controllers.
        const qsizetype first = line.indexOf(':');
        const qsizetype second = line.indexOf(':', first + 1);
        if (first < 0 || second < 0)
            continue;
        const QByteArray controllers = line.mid(first + 1, second - first - 1);
        const QString path = QString::fromUtf8(line.mid(second + 1));
        if (controllers.isEmpty())
            room = least(room, groupTreeRoom(root + "/sys/fs/cgroup", path, "/memory.max",
                                             "/memory.current", "inactive_file"));
        else if (controllers.split(',').contains("memory"))
            room = least(room, groupTreeRoom(root + "/sys/fs/cgroup/memory", path,
                                             "/memory.limit_in_bytes", "/memory.usage_in_bytes",
                                             "total_inactive_file"));
    }
    return room;
}

qint64 addressSpaceRoom(const QString& root, qint64 limit) {
    if (limit < 0)
        return -1;
    const qint64 used =
        keyedValue(readSmallFile(root + "/proc/self/status"), "VmSize:", 1024).value_or(0);
    return qMax<qint64>(0, limit - used);
}

qint64 addressSpaceLimit() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        limit.rlim_cur > rlim_t(kMax))
        return -1;
    return qint64(limit.rlim_cur);
}

} // namespace

qint64 loadBudgetFor(qint64 room) {
    if (room < 0)
        return kPictureLimitBytes;
    return qMin(kPictureLimitBytes, room / 4 * 3);
}

qint64 memoryRoom(const QString& root, qint64 addressSpaceLimit) {
    const qint64 available =
        keyedValue(readSmallFile(root + "/proc/meminfo"), "MemAvailable:", 1024).value_or(-1);
    return least(least(available, controlGroupRoom(root)),
                 addressSpaceRoom(root, addressSpaceLimit));
}

qint64 loadBudget() {
    const qint64 budget = loadBudgetFor(memoryRoom(QString(), addressSpaceLimit()));
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
