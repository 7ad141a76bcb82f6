// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "memory_budget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>

namespace {

constexpr qint64 GiB = qint64(1) << 30;
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

TEST(MemoryBudget, IsThePictureLimitOrThreeQuartersOfTheRoom) {
    const struct {
        qint64 available;
        qint64 budget;
    } cases[] = {{-1, 4 * GiB}, {64 * GiB, 4 * GiB}, {4 * GiB, 3 * GiB}, {400, 300}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(loadBudgetFor(c.available), c.budget) << c.available;
}

TEST(MemoryBudget, PictureBytesPadRowsAndSaturateInsteadOfOverflowing) {
    const struct {
        qint64 width;
        qint64 height;
        int bits;
        qint64 bytes;
    } cases[] = {
        {3, 2, 24, 24},
        {1, 1, 1, 4},
        {0, 5, 32, 0},
        {65500, 65500, 24, qint64(196500) * 65500},
        // A drawing claiming 10^9 x 10^9: exact, though w * h * bits passes 2^63.
        {1000000000, 1000000000, 64, qint64(8000000000) * 1000000000},
        {3000000000, 3000000000, 64, kMax},
        {kMax, 2, 8, kMax},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pictureBytes(c.width, c.height, c.bits), c.bytes) << c.width << "x" << c.height;
    EXPECT_EQ(addBytes(kMax - 1, 5), kMax);
}

// A made-up system: files under a temporary root, each given as path and contents.
struct FakeFile {
    const char* path;
    const char* contents;
};

qint64 roomOf(std::initializer_list<FakeFile> files, qint64 addressSpaceLimit) {
    QTemporaryDir root;
    for (const FakeFile& f : files) {
        const QString path = root.filePath(QLatin1String(f.path));
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << f.path;
        file.write(f.contents);
    }
    return memoryRoom(root.path(), addressSpaceLimit);
}

constexpr qint64 MiB = qint64(1) << 20;

TEST(MemoryRoom, IsTheLeastOfWhatIsFreeTheControlGroupsAndTheAddressSpace) {
    const FakeFile meminfo{"proc/meminfo", "MemTotal: 9000000 kB\nMemAvailable:  2097152 kB\n"};
    const FakeFile v2self{"proc/self/cgroup", "0::/user.slice/app.scope\n"};
    const FakeFile v1self{"proc/self/cgroup", "5:cpu,cpuacct:/\n4:memory:/box/job\n0::/\n"};
    const FakeFile status{"proc/self/status", "Name:\tpintabel-cli\nVmSize:\t  102400 kB\n"};
    const struct {
        const char* name;
        std::initializer_list<FakeFile> files;
        qint64 addressSpaceLimit;
        qint64 room;
    } cases[] = {
        {"nothing known", {}, -1, -1},
        {"MemAvailable alone", {meminfo}, -1, 2048 * MiB},
        {"v2 limit less use",
         {meminfo,
          v2self,
          {"sys/fs/cgroup/user.slice/app.scope/memory.max", "419430400\n"},
          {"sys/fs/cgroup/user.slice/app.scope/memory.current", "104857600\n"}},
         -1,
         300 * MiB},
        {"v2 unlimited group under a limited parent",
         {meminfo,
          v2self,
          {"sys/fs/cgroup/user.slice/app.scope/memory.max", "max\n"},
          {"sys/fs/cgroup/user.slice/app.scope/memory.current", "104857600\n"},
          {"sys/fs/cgroup/user.slice/memory.max", "524288000\n"},
          {"sys/fs/cgroup/user.slice/memory.current", "209715200\n"}},
         -1,
         300 * MiB},
        {"v2 file cache that can be dropped is not use",
         {meminfo,
          v2self,
          {"sys/fs/cgroup/user.slice/app.scope/memory.max", "419430400\n"},
          {"sys/fs/cgroup/user.slice/app.scope/memory.current", "314572800\n"},
          {"sys/fs/cgroup/user.slice/app.scope/memory.stat",
           "anon 104857600\nfile 209715200\ninactive_file 209715200\n"}},
         -1,
         300 * MiB},
        {"v2 over its limit has no room",
         {meminfo,
          v2self,
          {"sys/fs/cgroup/user.slice/app.scope/memory.max", "1000\n"},
          {"sys/fs/cgroup/user.slice/app.scope/memory.current", "5000\n"}},
         -1,
         0},
        {"v1 memory hierarchy",
         {meminfo,
          v1self,
          {"sys/fs/cgroup/memory/box/job/memory.limit_in_bytes", "9223372036854771712\n"},
          {"sys/fs/cgroup/memory/box/memory.limit_in_bytes", "419430400\n"},
          {"sys/fs/cgroup/memory/box/memory.usage_in_bytes", "157286400\n"},
          {"sys/fs/cgroup/memory/box/memory.stat", "total_inactive_file 52428800\n"}},
         -1,
         300 * MiB},
        {"a v1 line of other controllers is not memory",
         {meminfo,
          {"proc/self/cgroup", "4:cpu:/box\n"},
          {"sys/fs/cgroup/memory/box/memory.limit_in_bytes", "1000\n"}},
         -1,
         2048 * MiB},
        {"address space limit less what is mapped", {meminfo, status}, 400 * MiB, 300 * MiB},
        {"garbage is no limit",
         {{"proc/meminfo", "MemAvailable: lots kB\n"},
          v2self,
          {"sys/fs/cgroup/user.slice/app.scope/memory.max", "-5\n"}},
         -1,
         -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roomOf(c.files, c.addressSpaceLimit), c.room) << c.name;
}

} // namespace
