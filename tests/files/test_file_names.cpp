// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "file_names.h"
#include "picture_saver.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* path;
    const char* proposed;  // GetName
    const char* directory; // where the save dialog opens
    const char* jpegName;  // the name a JPEG is written under
    SaveFormat format;     // what Save As writes under this name
};

std::ostream& operator<<(std::ostream& out, const NameCase& c) {
    return out << c.path;
}

class FileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNames, ProposalFolderJpegNameAndFormat) {
    const NameCase& c = GetParam();
    const QString path = QString::fromUtf8(c.path);
    EXPECT_EQ(GetName(path), QString::fromUtf8(c.proposed));
    EXPECT_EQ(SaveDialogDirectory(path), QString::fromUtf8(c.directory));
    EXPECT_EQ(JpegFileName(path), QString::fromUtf8(c.jpegName));
    EXPECT_EQ(SaveFormatOf(path), c.format);
}

constexpr SaveFormat Jpeg = SaveFormat::Jpeg;
constexpr SaveFormat Bmp = SaveFormat::Bmp;
constexpr SaveFormat None = SaveFormat::Unsupported;

INSTANTIATE_TEST_SUITE_P(
    Paths, FileNames,
    ::testing::Values(NameCase{"/pics/cat.png", "cat", "/pics", "/pics/cat.jpg", None},
                      NameCase{"/pics/my.cat.png", "my", "/pics", "/pics/my.cat.jpg", None},
                      NameCase{"/pics/.hidden.png", "", "/pics", "/pics/.hidden.jpg", None},
                      NameCase{"/pics/cat", "cat", "/pics", "/pics/cat.jpg", None},
                      NameCase{"/my.pics/cat", "cat", "/my.pics", "/my.pics/cat.jpg", None},
                      NameCase{"/cat.png", "cat", "/", "/cat.jpg", None},
                      NameCase{"cat.png", "cat", "", "cat.jpg", None},
                      NameCase{"/pics/Cat.JPG", "Cat", "/pics", "/pics/Cat.jpg", Jpeg},
                      NameCase{"/pics/cat.jpg", "cat", "/pics", "/pics/cat.jpg", Jpeg},
                      NameCase{"/pics/cat.Bmp", "cat", "/pics", "/pics/cat.jpg", Bmp},
                      NameCase{"/pics/cat.jpg.bmp", "cat", "/pics", "/pics/cat.jpg.jpg", Bmp},
                      NameCase{"/pics/cat.jpeg", "cat", "/pics", "/pics/cat.jpg", None},
                      NameCase{"/pics/cat.", "cat", "/pics", "/pics/cat.jpg", None},
                      // Only a to z change case: full-width letters are another extension.
                      NameCase{"/pics/cat.ｊｐｇ", "cat", "/pics", "/pics/cat.jpg", None}),
    [](const auto& info) { return "path" + std::to_string(info.index); });

} // namespace
