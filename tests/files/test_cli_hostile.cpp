// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Pictures and settings at the edges of what the tool takes: each either gives a sound page
// or is refused in the tool's own words, at once where it can be.

#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <csignal>

#include <gtest/gtest.h>

namespace {

// What is checked beyond the exit code and standard error.
enum class Result {
    Nothing,
    WhitePage,        // OUT is a page without a pixel of ink
    SameBookTwice,    // a second run gives OUT byte for byte
    NothingLeftBehind // stopped by SIGTERM once its first page is done: only the inputs stay
};

struct HostileCase {
    const char* fault;
    QByteArray input; // written as IN
    QString inputName;
    QStringList arguments; // IN and OUT stand for the input and output paths
    QStringList environment;
    int exitCode;
    QString errorHas;
    Result result = Result::Nothing;
};

std::ostream& operator<<(std::ostream& out, const HostileCase& c) {
    return out << c.fault;
}

QByteArray png(const QImage& picture) {
    return fixtures::encoded(picture, "png");
}

QImage flat(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(120, 160, 200));
    return picture;
}

// A left-to-right ramp from dark to light.
QImage ramp(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(255 * x / width, 80, 255 - 255 * x / width));
    return picture;
}

// Pixels of two colours alternating both ways.
QImage checkerboard(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

// An EMF whose frame is side x side pixels.
QByteArray emfFramed(int side) {
    QByteArray file = fixtures::emf();
    // Hundredths of a millimetre on the fixture's device of 960 pixels to 254 mm.
    const quint32 frame = quint32(qint64(side) * 25400 / 960);
    qToLittleEndian(frame, file.data() + 32);
    qToLittleEndian(frame, file.data() + 36);
    return file;
}

// PNG's chunk check sum (CRC-32, ISO 3309) of bytes.
quint32 chunkCrc(const char* bytes, qsizetype size) {
    quint32 crc = 0xffffffffu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= uchar(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

// A PNG whose compressed picture data fails its own check (Adler-32), in a chunk whose
// CRC agrees.
QByteArray pngWithBadDataCheck() {
    QByteArray file = png(ramp(40, 30));
    const qsizetype type = file.indexOf("IDAT");
    const qsizetype length = qFromBigEndian<quint32>(file.constData() + type - 4);
    file[type + 4 + length - 1] = char(file[type + 4 + length - 1] ^ 0x5a);
    qToBigEndian(chunkCrc(file.constData() + type, length + 4), file.data() + type + 4 + length);
    return file;
}

class CliHostile : public ::testing::TestWithParam<HostileCase> {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Runs the tool on the case's arguments; with stop, sends SIGTERM once a page is done.
    int run(const HostileCase& c, QString& errors, bool stop = false) {
        QStringList arguments;
        for (const QString& argument : c.arguments)
            arguments.append(argument == QLatin1String("IN")    ? path(c.inputName)
                             : argument == QLatin1String("OUT") ? path(output(c))
                                                                : argument);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
        for (const QString& setting : c.environment)
            environment.insert(setting.section(QLatin1Char('='), 0, 0),
                               setting.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(PINTABEL_CLI), arguments);
        if (stop) {
            process.setReadChannel(QProcess::StandardError);
            while (!errors.contains(QLatin1String("page 1/")) && process.waitForReadyRead(60000))
                errors += QString::fromLocal8Bit(process.readAllStandardError());
            if (process.state() == QProcess::Running && process.processId() > 0)
                ::kill(pid_t(process.processId()), SIGTERM);
        }
        EXPECT_TRUE(process.waitForFinished(60000));
        errors += QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    static QString output(const HostileCase& c) {
        return c.arguments.first() == QLatin1String("book") ? QStringLiteral("out.pdf")
                                                            : QStringLiteral("out.bmp");
    }

    QTemporaryDir m_dir;
};

TEST_P(CliHostile, GivesASoundPageOrRefusesInItsOwnWords) {
    const HostileCase& c = GetParam();
    fixtures::writeFile(path(c.inputName), c.input);
    QString errors;
    const int exitCode = run(c, errors, c.result == Result::NothingLeftBehind);
    EXPECT_FALSE(errors.contains(QLatin1String("OpenCV"))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QLatin1String("libpng"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(c.errorHas)) << errors.toStdString();
    switch (c.result) {
    case Result::Nothing:
        EXPECT_EQ(exitCode, c.exitCode) << errors.toStdString();
        break;
    case Result::WhitePage: {
        ASSERT_EQ(exitCode, c.exitCode) << errors.toStdString();
        const QImage page(path(output(c)));
        ASSERT_FALSE(page.isNull());
        const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                ASSERT_EQ(grey.pixelColor(x, y).value(), 255) << x << "," << y;
        break;
    }
    case Result::SameBookTwice: {
        ASSERT_EQ(exitCode, c.exitCode) << errors.toStdString();
        QFile first(path(output(c)));
        ASSERT_TRUE(first.open(QIODevice::ReadOnly));
        const QByteArray book = first.readAll();
        first.close();
        ASSERT_TRUE(QFile::remove(path(output(c))));
        QString again;
        ASSERT_EQ(run(c, again), c.exitCode) << again.toStdString();
        QFile second(path(output(c)));
        ASSERT_TRUE(second.open(QIODevice::ReadOnly));
        EXPECT_EQ(second.readAll(), book);
        // The moment SOURCE_DATE_EPOCH names, in UTC.
        EXPECT_TRUE(book.contains("/CreationDate (D:19700102000000"));
        break;
    }
    case Result::NothingLeftBehind:
        EXPECT_EQ(exitCode, -1) << errors.toStdString();
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{c.inputName});
        break;
    }
}

const QString kIn = QStringLiteral("in.png");

INSTANTIATE_TEST_SUITE_P(
    Faults, CliHostile,
    ::testing::Values(
        HostileCase{"a_tiny_picture_in_a_vector_book_with_thick_lines",
                    png(checkerboard(2, 2)),
                    kIn,
                    {"book", "OUT", "--vector", "--clean-lines=50,30", "IN"},
                    {},
                    0,
                    "page 1/1"},
        HostileCase{"the_copy_of_a_tiny_picture_counted_in_the_budget",
                    png(checkerboard(2, 2)),
                    kIn,
                    {"book", "OUT", "--vector", "--clean-lines=50,30", "IN"},
                    {"PINTABEL_LOAD_BUDGET_MB=40"},
                    1,
                    "Not enough memory"},
        HostileCase{"a_wide_strip_one_pixel_high",
                    png(ramp(4096, 1)),
                    kIn,
                    {"convert", "--clean-lines", "IN", "OUT"},
                    {},
                    0,
                    ""},
        HostileCase{"a_wide_strip_three_pixels_high_checked",
                    png(ramp(5000, 3)),
                    kIn,
                    {"check", "--clean-lines", "IN"},
                    {},
                    0,
                    ""},
        HostileCase{"a_flat_thin_strip",
                    png(flat(5000, 12)),
                    kIn,
                    {"convert", "--clean-lines", "IN", "OUT"},
                    {},
                    0,
                    "",
                    Result::WhitePage},
        HostileCase{"a_flat_long_thread",
                    png(flat(2, 30000)),
                    kIn,
                    {"convert", "--clean-lines", "IN", "OUT"},
                    {},
                    0,
                    "",
                    Result::WhitePage},
        HostileCase{"a_single_pixel",
                    png(flat(1, 1)),
                    kIn,
                    {"convert", "--clean-lines", "IN", "OUT"},
                    {},
                    0,
                    "",
                    Result::WhitePage},
        HostileCase{"a_preview_asked_of_a_line_book",
                    png(ramp(60, 40)),
                    kIn,
                    {"book", "OUT", "--vector", "--with-preview", "--clean-lines", "IN"},
                    {},
                    0,
                    "--with-preview is ignored"},
        HostileCase{"a_book_stopped_by_sigterm",
                    png(ramp(1500, 1000)),
                    kIn,
                    {"book", "OUT", "--colouring", "IN", "IN", "IN", "IN", "IN", "IN", "IN", "IN"},
                    {},
                    -1,
                    "page 1/8",
                    Result::NothingLeftBehind},
        HostileCase{"a_margin_that_does_not_fit_refused_before_any_page",
                    "not a picture",
                    QStringLiteral("notes.txt"),
                    {"book", "OUT", "--margin", "150", "IN"},
                    {},
                    1,
                    "A margin of 150 mm does not fit"},
        HostileCase{"a_metafile_frame_too_large_to_draw",
                    emfFramed(30000),
                    QStringLiteral("huge.emf"),
                    {"info", "IN"},
                    {},
                    1,
                    "too large (30000 × 30000 pixels)"},
        HostileCase{"a_book_made_twice_at_a_fixed_date",
                    png(ramp(60, 40)),
                    kIn,
                    {"book", "OUT", "--vector", "--clean-lines", "IN"},
                    {"SOURCE_DATE_EPOCH=86400"},
                    0,
                    "",
                    Result::SameBookTwice},
        HostileCase{"a_png_whose_data_fails_its_check",
                    pngWithBadDataCheck(),
                    kIn,
                    {"info", "IN"},
                    {},
                    1,
                    ""}));

} // namespace
