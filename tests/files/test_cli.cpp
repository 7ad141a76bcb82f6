// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "bitmap.h"
#include "bmp_writer.h"
#include "colouring_pipeline.h"
#include "fixtures.h"
#include "image_loader.h"
#include "jpeg_writer.h"
#include "metafile_process.h"
#include "per_pixel_reference.h"
#include "steps.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode;
    QString out;
    QString err;
};

CliRun cli(const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PINTABEL_CLI), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeFile(path("photo.png"), fixtures::encoded(fixtures::photo(41, 23), "png"));
        fixtures::writeFile(
            path("grey.jpg"),
            fixtures::encoded(fixtures::photo(16, 8).convertToFormat(QImage::Format_Grayscale8),
                              "jpeg"));
        fixtures::writeFile(path("notes.txt"), "not a picture\n");
    }
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

struct InfoCase {
    const char* name;
    QStringList files;
    int exitCode;
    QStringList lines; // with %1 standing for the temporary directory
};

std::ostream& operator<<(std::ostream& out, const InfoCase& c) {
    return out << c.name;
}

class CliInfo : public Cli, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(CliInfo, PrintsOneLinePerFileAndFailsOnUnreadable) {
    const InfoCase& c = GetParam();
    QStringList arguments{QStringLiteral("info")};
    for (const QString& file : c.files)
        arguments << m_dir.filePath(file);
    const CliRun run = cli(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    QStringList expected;
    for (const QString& line : c.lines)
        expected << line.arg(m_dir.path());
    EXPECT_EQ(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected)
        << run.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliInfo,
    ::testing::Values(InfoCase{"good",
                               {"photo.png", "grey.jpg"},
                               0,
                               {"%1/photo.png\t41x23\t24", "%1/grey.jpg\t16x8\t8"}},
                      InfoCase{"good_and_bad",
                               {"notes.txt", "photo.png", "missing.bmp"},
                               1,
                               {"%1/notes.txt\tunreadable", "%1/photo.png\t41x23\t24",
                                "%1/missing.bmp\tunreadable"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Cli, InfoPrintsAndOpensNamesExactlyWhateverTheirBytes) {
    const QByteArray picture = fixtures::encoded(fixtures::photo(5, 4), "png");
    const QByteArray dir = QFile::encodeName(m_dir.path());
    // Placeholders in the name, and a byte that is not UTF-8 text.
    const QList<QByteArray> names{"name%1%2.png", "bad\xffname.png"};
    QByteArray expected;
    QByteArray script = "exec \"$0\" info";
    for (const QByteArray& name : names) {
        const QByteArray file = dir + '/' + name;
        QFile out;
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << file.constData();
        ASSERT_TRUE(out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        ASSERT_EQ(out.write(picture), picture.size());
        out.close();
        expected += file + "\t5x4\t24\n";
        QByteArray octal; // every byte as \ooo, which any printf understands
        for (char c : file)
            octal += '\\' + QByteArray::number(uchar(c), 8).rightJustified(3, '0');
        script += " \"$(printf '" + octal + "')\"";
    }
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QString::fromLatin1(script), QStringLiteral(PINTABEL_CLI)});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().constData();
    EXPECT_EQ(shell.readAllStandardOutput(), expected);
    for (const QByteArray& name : names)
        ::unlink((dir + '/' + name).constData()); // a name QTemporaryDir could not spell
}

// Runs info on file with the address space capped at limitMiB.
CliRun runWithin(const QStringList& arguments, int limitMiB) {
    QProcess process;
    process.setChildProcessModifier([limitMiB] {
        const rlimit limit{rlim_t(limitMiB) << 20, rlim_t(limitMiB) << 20};
        setrlimit(RLIMIT_AS, &limit);
    });
    process.start(QStringLiteral(PINTABEL_CLI), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-2, {}, QStringLiteral("did not finish")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST_F(Cli, MemoryRunningOutAtAnyStageOfALoadGivesTheMemoryMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs an unlimited address space";
#endif
    QImage colour(3000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            colour.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
    const QImage grey = colour.convertToFormat(QImage::Format_Grayscale8);
    QList<QRgb> greys;
    for (int i = 0; i < 256; ++i)
        greys.append(qRgb(i, i, i));
    const QByteArray indices(reinterpret_cast<const char*>(grey.constBits()), 3000 * 3000);
    QImage halfClear = colour.convertToFormat(QImage::Format_ARGB32);
    halfClear.fill(qRgba(200, 40, 40, 128));
    const struct {
        const char* name;
        QByteArray data;
    } files[] = {
        {"colour.jpg", fixtures::encoded(colour, "jpeg")},
        {"progressive.jpg", fixtures::progressiveJpeg(colour)},
        {"grey.png", fixtures::encoded(grey, "png")}, // converted to an indexed page
        {"indexed.gif", fixtures::gif(3000, 3000, greys, indices)},
        {"alpha.png", fixtures::encoded(halfClear, "png")}, // composited over white
    };
    // The sweep starts where the tool itself can start: the libraries it maps come first.
    int lowest = 40;
    while (lowest < 400 && runWithin({QStringLiteral("--version")}, lowest).exitCode != 0)
        lowest += 5;
    ASSERT_LT(lowest, 400) << "the tool does not start even with 400 MiB of address space";
    for (const auto& f : files) {
        fixtures::writeFile(path(f.name), f.data);
        bool refused = false;
        bool loaded = false;
        for (int limit = lowest; limit <= lowest + 300; limit += 20) {
            const CliRun run = runWithin({QStringLiteral("info"), path(f.name)}, limit);
            const bool ok = run.exitCode == 0 && run.out.contains(QStringLiteral("3000x3000"));
            const bool memory =
                run.exitCode == 1 && run.err.contains(QStringLiteral("メモリが不足"));
            EXPECT_TRUE(ok || memory) << f.name << " at " << limit << " MiB: exit " << run.exitCode
                                      << " " << run.err.toStdString();
            refused = refused || memory;
            loaded = loaded || ok;
        }
        EXPECT_TRUE(refused && loaded) << f.name << ": the limits do not span the load";
    }
}

// A memory control group of its own, made beside this process's, that one child process
// joins; removed again when done. Made only where the test runs as root on a writable
// hierarchy with the memory controller (cgroup v2, or v1's memory hierarchy).
class MemoryGroup {
public:
    explicit MemoryGroup(qint64 limitBytes) {
        if (::geteuid() != 0) {
            m_why = QStringLiteral("not running as root");
            return;
        }
        QFile own(QStringLiteral("/proc/self/cgroup"));
        if (!own.open(QIODevice::ReadOnly))
            return;
        for (const QByteArray& line : own.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(':');
            if (fields.size() < 3)
                continue;
            const bool v2 = fields[1].isEmpty();
            if (!v2 && !fields[1].split(',').contains("memory"))
                continue;
            const QString parent =
                QStringLiteral("/sys/fs/cgroup%1%2")
                    .arg(v2 ? QString() : QStringLiteral("/memory"), QString::fromUtf8(fields[2]));
            if (v2)
                write(parent + QStringLiteral("/cgroup.subtree_control"), "+memory");
            const QString group =
                parent +
                QStringLiteral("/pintabel-test-%1").arg(QCoreApplication::applicationPid());
            if (!QDir().mkdir(group))
                continue;
            if (write(group + (v2 ? QStringLiteral("/memory.max")
                                  : QStringLiteral("/memory.limit_in_bytes")),
                      QByteArray::number(limitBytes))) {
                m_group = group;
                return;
            }
            QDir().rmdir(group);
        }
        m_why = QStringLiteral("no memory control group could be made");
    }
    ~MemoryGroup() {
        if (!m_group.isEmpty())
            QDir().rmdir(m_group);
    }
    MemoryGroup(const MemoryGroup&) = delete;
    MemoryGroup& operator=(const MemoryGroup&) = delete;

    bool made() const { return !m_group.isEmpty(); }
    QString why() const { return m_why; }

    // Runs the tool inside the group.
    CliRun run(const QStringList& arguments) const {
        const int procs =
            ::open(QFile::encodeName(m_group + QStringLiteral("/cgroup.procs")).constData(),
                   O_WRONLY | O_CLOEXEC);
        QProcess process;
        // "0" moves the process that writes it: the child, before the tool starts.
        process.setChildProcessModifier([procs] {
            if (::write(procs, "0", 1) != 1)
                ::_exit(99);
        });
        process.start(QStringLiteral(PINTABEL_CLI), arguments);
        process.waitForFinished(60000);
        ::close(procs);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

private:
    static bool write(const QString& path, const QByteArray& text) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush();
    }

    QString m_group;
    QString m_why;
};

TEST_F(Cli, APictureTooLargeForTheControlGroupsLimitIsRefusedNotKilled) {
    const MemoryGroup group(qint64(400) << 20);
    if (!group.made())
        GTEST_SKIP() << group.why().toStdString();
    // 20000 x 20000 grey: 400 MB decoded, and as much again for its page.
    const QList<QByteArray> rows(20000, QByteArray(20000, '\x80'));
    fixtures::writeFile(path("grey.png"), fixtures::png(20000, 20000, 8, 0, rows));
    const CliRun run = group.run({QStringLiteral("info"), path("grey.png")});
    EXPECT_EQ(run.exitCode, 1) << "-1: killed";
    EXPECT_TRUE(run.err.contains(QStringLiteral("メモリが不足"))) << run.err.toStdString();
}

TEST_F(Cli, TheLoadBudgetCanBeCappedFromTheEnvironment) {
    for (const auto& [cap, loads] : {std::pair{"1", false}, std::pair{"200", true}}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PINTABEL_LOAD_BUDGET_MB"), QLatin1String(cap));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(PINTABEL_CLI), {QStringLiteral("info"), path("photo.png")});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), loads ? 0 : 1) << cap;
        EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError())
                      .contains(QStringLiteral("メモリが不足")),
                  !loads)
            << cap;
    }
}

TEST_F(Cli, ConvertWritesABmpThatReloadsToTheSamePage) {
    const CliRun run = cli({QStringLiteral("convert"), path("grey.jpg"), path("out.bmp")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    Bitmap original;
    Bitmap written;
    ASSERT_TRUE(ImageLoaderGP(path("grey.jpg"), original));
    ASSERT_TRUE(ImageLoaderGP(path("out.bmp"), written));
    EXPECT_EQ(written.depth(), 8);
    EXPECT_EQ(written.colourTable(), original.colourTable());
    EXPECT_EQ(written.image(), original.image());
}

Bitmap appliedInProcess(const QString& input, const QStringList& options) {
    Bitmap page;
    EXPECT_TRUE(ImageLoaderGP(input, page));
    for (const QString& option : options)
        for (const ProcessingStep& step : processingSteps())
            if (step.option == option)
                step.apply(page);
    return page;
}

TEST_F(Cli, MetafilesConvertedByTheToolGiveThePageTheLoaderDraws) {
    setMetafileRenderer(QStringLiteral(PINTABEL_METAFILE));
    fixtures::writeFile(path("drawing.emf"), fixtures::emf());
    fixtures::writeFile(path("drawing.wmf"), fixtures::wmf());
    for (const char* name : {"drawing.emf", "drawing.wmf"}) {
        const CliRun run = cli({QStringLiteral("convert"), path(name), path("out.bmp")});
        ASSERT_EQ(run.exitCode, 0) << name << run.err.toStdString();
        Bitmap inProcess;
        Bitmap written;
        ASSERT_TRUE(ImageLoaderGP(path(name), inProcess));
        ASSERT_TRUE(ImageLoaderGP(path("out.bmp"), written));
        EXPECT_EQ(written.image(), inProcess.image()) << name;
    }
}

TEST_F(Cli, HelpListsTheCommandsAndEveryStep) {
    const CliRun run = cli({QStringLiteral("--help")});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("info FILE")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("convert [STEPS...] INPUT OUTPUT")));
    for (const ProcessingStep& step : processingSteps()) {
        EXPECT_TRUE(run.out.contains(step.option)) << step.option.toStdString();
        EXPECT_TRUE(run.out.contains(step.help)) << step.help.toStdString();
    }
}

TEST_F(Cli, ConvertAppliesTheStepsInTheOrderGiven) {
    const QList<ProcessingStep>& steps = processingSteps();
    if (steps.size() < 2)
        GTEST_SKIP() << "fewer than two processing steps are offered";
    const QStringList forward{steps[0].option, steps[1].option};
    const QStringList backward{steps[1].option, steps[0].option};
    for (const QStringList& order : {forward, backward}) {
        const CliRun run = cli(QStringList{QStringLiteral("convert")} + order +
                               QStringList{path("photo.png"), path("out.bmp")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        Bitmap written;
        ASSERT_TRUE(ImageLoaderGP(path("out.bmp"), written));
        const Bitmap expected = appliedInProcess(path("photo.png"), order);
        EXPECT_EQ(written.depth(), expected.depth());
        EXPECT_EQ(written.image(), expected.image()) << order.join(u' ').toStdString();
    }
    EXPECT_NE(appliedInProcess(path("photo.png"), forward).image(),
              appliedInProcess(path("photo.png"), backward).image())
        << "the fixture does not tell the two orders apart";
}

struct OutputCase {
    const char* output;
    const char* start;    // the written file's first bytes; none: refused
    bool overlay = false; // written by check --overlay, not convert
};

std::ostream& operator<<(std::ostream& out, const OutputCase& c) {
    return out << c.output;
}

class CliOutput : public Cli, public ::testing::WithParamInterface<OutputCase> {};

// The name given is the file written, in the format its extension names; a name the tool
// cannot write is refused, naming it, before anything is done.
TEST_P(CliOutput, TheOutputsExtensionChoosesTheFormatAndTheNameIsWritten) {
    const OutputCase& c = GetParam();
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    const QStringList before =
        QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    const CliRun run = c.overlay
                           ? cli({QStringLiteral("check"), QStringLiteral("--overlay"),
                                  path(c.output), path("photo.png")})
                           : cli({QStringLiteral("convert"), path("photo.png"), path(c.output)});
    QStringList expected = before;
    if (c.start) {
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        expected.append(QLatin1String(c.output));
        EXPECT_TRUE(contents(path(c.output)).startsWith(c.start));
    } else {
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("\"%1\"").arg(path(c.output))))
            << run.err.toStdString();
    }
    expected.sort();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
              expected);
    EXPECT_TRUE(QDir(path("folder")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, CliOutput,
    ::testing::Values(OutputCase{"out.png", "\x89PNG\r\n"}, OutputCase{"OUT.PNG", "\x89PNG\r\n"},
                      OutputCase{"out.jpg", "\xFF\xD8\xFF"}, OutputCase{"OUT.JPG", "\xFF\xD8\xFF"},
                      OutputCase{"out.jpeg", "\xFF\xD8\xFF"},
                      OutputCase{"OUT.JPEG", "\xFF\xD8\xFF"}, OutputCase{"out.Bmp", "BM"},
                      OutputCase{"out", nullptr}, OutputCase{"out.gif", nullptr},
                      OutputCase{"folder", nullptr}, OutputCase{"missing/out.png", nullptr},
                      OutputCase{"notes.txt/out.png", nullptr},
                      OutputCase{"marks.png", "\x89PNG\r\n", true},
                      OutputCase{"marks.jpg", nullptr, true}, OutputCase{"folder", nullptr, true}),
    [](const auto& info) { return "name" + std::to_string(info.index); });

struct PngPageCase {
    const char* step;
    int bitDepth;
    int colourType; // 2: red, green and blue; 3: palette
    int leastColours;
    int mostColours;
};

class CliPngPages : public Cli, public ::testing::WithParamInterface<PngPageCase> {};

// Every kind of page goes into PNG as it is: the line page in two colours, 1 bit deep.
TEST_P(CliPngPages, KeepTheirPixelsInTheSmallestForm) {
    const PngPageCase& c = GetParam();
    fixtures::writeFile(path("big.png"), fixtures::encoded(fixtures::photo(300, 200), "png"));
    const CliRun run =
        cli({QStringLiteral("convert"), QLatin1String(c.step), path("big.png"), path("page.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray file = contents(path("page.png"));
    ASSERT_EQ(file.mid(12, 4), QByteArray("IHDR"));
    EXPECT_EQ(int(file[24]), c.bitDepth);
    EXPECT_EQ(int(file[25]), c.colourType);
    const QImage read(path("page.png"));
    QSet<QRgb> colours;
    for (int y = 0; y < read.height(); ++y)
        for (int x = 0; x < read.width(); ++x)
            colours.insert(read.pixel(x, y));
    EXPECT_GE(colours.size(), c.leastColours);
    EXPECT_LE(colours.size(), c.mostColours);
    Bitmap inProcess = appliedInProcess(path("big.png"), {QLatin1String(c.step)});
    inProcess.setDepth(24);
    EXPECT_EQ(read.convertToFormat(QImage::Format_BGR888), inProcess.image());
}

INSTANTIATE_TEST_SUITE_P(Steps, CliPngPages,
                         ::testing::Values(PngPageCase{"--clean-lines", 1, 3, 2, 2},
                                           PngPageCase{"--colour-by-number", 8, 3, 3, 256},
                                           PngPageCase{"--lighter", 8, 2, 257, 1 << 24}),
                         [](const auto& info) { return std::to_string(info.index); });

// The tool speaks Japanese when the user's first language is Japanese, English otherwise
// (the C locale too); LANGUAGE comes before the locale.
TEST_F(Cli, TheUsersFirstLanguageChoosesTheMessagesLanguage) {
    const QString japanese =
        QStringLiteral("pintabel-cli convert: \"%1\" を書き出せません。名前の拡張子を .png、.jpg、"
                       ".jpeg、.bmp、.svg のどれかにしてください\n")
            .arg(path("out.gif"));
    const QString english = QStringLiteral("pintabel-cli convert: cannot write \"%1\": give it the "
                                           "extension .png, .jpg, .jpeg, .bmp or .svg\n")
                                .arg(path("out.gif"));
    const struct {
        const char* language;
        const char* lang;
        const QString& expected;
    } cases[] = {
        {"ja", "", japanese},
        {"en", "", english},
        {"ja", "C.UTF-8", japanese},
        {"en", "C.UTF-8", english},
        {"", "", english},
        {"", "ja_JP.UTF-8", japanese},
        {"en", "ja_JP.UTF-8", english},
        {"ja:en", "en_US.UTF-8", japanese},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("LANGUAGE=") + c.language + " LANG=" + c.lang);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LANG", "LC_ALL", "LC_MESSAGES"})
            environment.remove(QLatin1String(name));
        if (*c.language)
            environment.insert(QStringLiteral("LANGUAGE"), QLatin1String(c.language));
        if (*c.lang)
            environment.insert(QStringLiteral("LANG"), QLatin1String(c.lang));
        const CliRun run =
            cli({QStringLiteral("convert"), path("photo.png"), path("out.gif")}, environment);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_EQ(run.err, c.expected);
    }
}

// Help and refusals in the user's language: a Japanese first language reads the tool in
// Japanese, any other in English.
TEST_F(Cli, HelpAndRefusalsSpeakTheUsersLanguage) {
    QImage tiny(12, 9, QImage::Format_RGB32);
    tiny.fill(qRgb(200, 60, 40));
    fixtures::writeFile(path("tiny.png"), fixtures::encoded(tiny, "png"));
    fixtures::writeFile(path("narrow.png"), fixtures::encoded(tiny.copy(0, 0, 2, 9), "png"));
    const QStringList tinyPage{QStringLiteral("convert"), QStringLiteral("--colour-by-number"),
                               path("tiny.png"), path("out.png")};
    const QStringList narrowPage{QStringLiteral("convert"), QStringLiteral("--colouring"),
                                 path("narrow.png"), path("out.png")};
    const struct {
        const char* language;
        QStringList arguments;
        int exitCode;
        QString said; // the start of what it says on standard output, or else on standard error
    } cases[] = {
        {"ja", {QStringLiteral("--help")}, 0, QStringLiteral("使い方:\n  pintabel-cli info FILE")},
        {"en", {QStringLiteral("--help")}, 0, QStringLiteral("Usage:\n  pintabel-cli info FILE")},
        {"ja", tinyPage, 1,
         QStringLiteral("画像が小さすぎて、数字の入る領域を一つも作れません。\n")},
        {"en", tinyPage, 1, QStringLiteral("The picture is too small: not one region")},
        {"en", narrowPage, 1, QStringLiteral("The picture is too small to convert.")},
        {"ja",
         {QStringLiteral("info")},
         2,
         QStringLiteral("pintabel-cli info: ファイルが指定されていません\n")},
        {"en", {QStringLiteral("info")}, 2, QStringLiteral("pintabel-cli info: no file given\n")},
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LANGUAGE"), QLatin1String(c.language));
        const CliRun run = cli(c.arguments, environment);
        EXPECT_EQ(run.exitCode, c.exitCode)
            << c.language << " " << c.arguments.join(u' ').toStdString();
        const QString& said = run.out.isEmpty() ? run.err : run.out;
        EXPECT_TRUE(said.startsWith(c.said)) << c.language << ": " << said.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.png")));
    }
}

TEST_F(Cli, CheckPrintsTheFiguresOfThePageOneALine) {
    // A page shaped like A4 lying down, 2 pixels to the millimetre: a black frame 2 pixels
    // wide splits it into the ring outside, the inside, and gaps 3 and 8 pixels wide: under
    // 3 mm (6 pixels) the first is tiny, under 8 mm (16 pixels) both are.
    QImage page(594, 420, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (const QRect& bar :
         {QRect(100, 100, 300, 2), QRect(100, 298, 300, 2), QRect(100, 100, 2, 200),
          QRect(398, 100, 2, 200), QRect(105, 102, 2, 196), QRect(115, 102, 2, 196)})
        for (int y = bar.top(); y <= bar.bottom(); ++y)
            for (int x = bar.left(); x <= bar.right(); ++x)
                page.setPixel(x, y, qRgb(0, 0, 0));
    fixtures::writeFile(path("page.png"), fixtures::encoded(page, "png"));
    const struct {
        QStringList options;
        const char* figures;
    } cases[] = {
        {{}, "size 594x420\nink-share 0.0111\nregions 4\ntiny-regions 1\ntiny-under-px 6.0\n"},
        {{QStringLiteral("--smallest-region"), QStringLiteral("8")},
         "size 594x420\nink-share 0.0111\nregions 4\ntiny-regions 2\ntiny-under-px 16.0\n"},
        {{QStringLiteral("--close-tiny-regions")},
         "size 594x420\nink-share 0.0135\nregions 3\ntiny-regions 0\ntiny-under-px 6.0\n"},
        {{QStringLiteral("--smallest-region"), QStringLiteral("8"),
          QStringLiteral("--close-tiny-regions")},
         "size 594x420\nink-share 0.0197\nregions 2\ntiny-regions 0\ntiny-under-px 16.0\n"},
    };
    for (const auto& c : cases) {
        const CliRun run =
            cli(QStringList{QStringLiteral("check")} + c.options + QStringList{path("page.png")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, QLatin1String(c.figures)) << c.options.join(u' ').toStdString();
    }
}

TEST_F(Cli, UnknownStepIsRefusedAndWritesNothing) {
    const CliRun run = cli({QStringLiteral("convert"), QStringLiteral("--no-such-step"),
                            path("photo.png"), path("out.bmp")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(QFile::exists(path("out.bmp")));
}

TEST_F(Cli, BadSubjectBoxesAndBackgroundsAreRefusedAndWriteNothing) {
    // photo.png is 41 x 23 pixels.
    const QList<QStringList> refused = {
        {QStringLiteral("--subject")},
        {QStringLiteral("--subject"), QStringLiteral("1,2,3")},
        {QStringLiteral("--subject"), QStringLiteral("a,b,c,d")},
        {QStringLiteral("--subject"), QStringLiteral("0,0,0,5")},
        {QStringLiteral("--subject"), QStringLiteral("0,0,5,-1")},
        {QStringLiteral("--subject"), QStringLiteral("41,0,5,5")},
        {QStringLiteral("--subject"), QStringLiteral("-10,-10,10,10")},
        {QStringLiteral("--background"), QStringLiteral("some")},
    };
    for (const QStringList& options : refused) {
        const CliRun run =
            cli(QStringList{QStringLiteral("convert")} + options +
                QStringList{QStringLiteral("--clean-lines"), path("photo.png"), path("out.bmp")});
        EXPECT_EQ(run.exitCode, 2) << options.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(options[0])) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.bmp")));
    }
    // A box reaching past the picture is taken as far as the picture goes.
    const CliRun clipped =
        cli({QStringLiteral("check"), QStringLiteral("--subject"), QStringLiteral("-5,-5,30,40"),
             QStringLiteral("--clean-lines"), path("photo.png")});
    EXPECT_EQ(clipped.exitCode, 0) << clipped.err.toStdString();
}

TEST_F(Cli, UnreadableInputWritesNothingAndKeepsAnExistingOutput) {
    CliRun run = cli({QStringLiteral("convert"), path("notes.txt"), path("new.bmp")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("読み込めません")));
    EXPECT_FALSE(QFile::exists(path("new.bmp")));

    fixtures::writeFile(path("old.bmp"), "old");
    run = cli({QStringLiteral("convert"), path("missing.png"), path("old.bmp")});
    EXPECT_NE(run.exitCode, 0);
    QFile old(path("old.bmp"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

// The per-pixel colouring page of the picture file at path.
Bitmap perPixelPage(const QString& path) {
    Bitmap photo;
    EXPECT_TRUE(ImageLoaderGP(path, photo));
    Bitmap page(photo.width(), photo.height());
    perPixelColouring(photo, page);
    return page;
}

// A JPEG whose scan ends early, near its bottom: rows above the damage decode well.
QByteArray jpegClosedNearTheEnd(const QImage& picture) {
    const QByteArray jpeg = fixtures::encoded(picture, "jpeg");
    const qsizetype scan = jpeg.indexOf("\xff\xda");
    return jpeg.left(scan + (jpeg.size() - scan) * 9 / 10) + "\xff\xd9";
}

TEST_F(Cli, ColouringAPhotoGivesThePerPixelPageByteForByte) {
    // Over 2 MiB of pixels, so the page takes the large-picture memory, and the file is
    // written in several stretches; the conversion goes in several bands.
    fixtures::writeFile(path("big.jpg"), fixtures::encoded(fixtures::photo(1100, 700), "jpeg"));
    const Bitmap expected = perPixelPage(path("big.jpg"));
    for (const char* output : {"out.bmp", "out.jpg"}) {
        const CliRun run = cli({QStringLiteral("convert"), QStringLiteral("--colouring"),
                                path("big.jpg"), path(output)});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(
            contents(path(output)) ==
            (QByteArray(output).endsWith("bmp") ? EncodeBmp(expected) : EncodeJpeg(expected)))
            << output;
    }
}

struct PipelineCase {
    const char* name;
    QByteArray (*input)(); // none: the fixture's grey JPEG
    const char* output;
    bool pipelined;
};

std::ostream& operator<<(std::ostream& out, const PipelineCase& c) {
    return out << c.name;
}

class CliPipeline : public Cli, public ::testing::WithParamInterface<PipelineCase> {};

// The pipelined conversion takes colour JPEGs only and gives the bytes of the per-pixel
// page saved whole; anything else, a damaged photo included, it leaves alone without a
// trace for the ordinary way.
TEST_P(CliPipeline, TakesColourJpegsAndGivesThePerPixelPageOrLeavesEverythingAsItWas) {
    const PipelineCase& c = GetParam();
    const QString input = c.input ? path("input") : path("grey.jpg");
    if (c.input)
        fixtures::writeFile(input, c.input());
    const QString output = path(c.output);
    fixtures::writeFile(output, "old");
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files, QDir::Name);
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const SaveFormat format = SaveFormatOf(output);
    ASSERT_EQ(SaveColouringPipelined(file, input, output, format), c.pipelined);
    const QByteArray expected = !c.pipelined                ? QByteArray("old")
                                : format == SaveFormat::Bmp ? EncodeBmp(perPixelPage(input))
                                                            : EncodeJpeg(perPixelPage(input));
    EXPECT_TRUE(contents(output) == expected);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files, QDir::Name), before);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CliPipeline,
    ::testing::Values(
        PipelineCase{"bands_to_bmp",
                     [] { return fixtures::encoded(fixtures::photo(333, 300), "jpeg"); }, "out.bmp",
                     true},
        PipelineCase{"bands_to_jpeg",
                     [] { return fixtures::encoded(fixtures::photo(333, 300), "jpeg"); }, "out.jpg",
                     true},
        PipelineCase{"smallest", [] { return fixtures::encoded(fixtures::photo(3, 4), "jpeg"); },
                     "out.bmp", true},
        PipelineCase{"too_narrow", [] { return fixtures::encoded(fixtures::photo(2, 40), "jpeg"); },
                     "out.bmp", false},
        PipelineCase{"too_short", [] { return fixtures::encoded(fixtures::photo(40, 3), "jpeg"); },
                     "out.jpg", false},
        PipelineCase{"grey", nullptr, "out.bmp", false},
        PipelineCase{"png", [] { return fixtures::encoded(fixtures::photo(40, 30), "png"); },
                     "out.bmp", false},
        PipelineCase{"damaged_near_the_end",
                     [] { return jpegClosedNearTheEnd(fixtures::photo(333, 300)); }, "out.bmp",
                     false},
        PipelineCase{"damaged_to_jpeg",
                     [] { return jpegClosedNearTheEnd(fixtures::photo(333, 300)); }, "out.jpg",
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Cli, ColouringADamagedPhotoSaysItIsUnreadableAndKeepsTheOldFile) {
    fixtures::writeFile(path("cut.jpg"), jpegClosedNearTheEnd(fixtures::photo(1100, 700)));
    fixtures::writeFile(path("old.bmp"), "old");
    const CliRun run = cli({QStringLiteral("convert"), QStringLiteral("--colouring"),
                            path("cut.jpg"), path("old.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("pintabel-cli convert: %1: 読み込めません\n").arg(path("cut.jpg")));
    EXPECT_EQ(contents(path("old.bmp")), QByteArray("old"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"cut.jpg", "grey.jpg", "notes.txt", "old.bmp", "photo.png"}));
}

// The tool's standard error carries its own messages only, even where Qt would have
// something to say about its surroundings.
TEST_F(Cli, SucceedsWithoutAWordOnStandardError) {
    fixtures::writeFile(path("drawing.emf"), fixtures::emf());
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    bare.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    bare.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const QStringList runs[] = {
        {QStringLiteral("info"), path("photo.png")},
        {QStringLiteral("convert"), QStringLiteral("--colouring"), path("grey.jpg"),
         path("out.bmp")},
        {QStringLiteral("convert"), path("drawing.emf"), path("drawing.jpg")},
    };
    for (const QStringList& arguments : runs) {
        const CliRun run = cli(arguments, bare);
        EXPECT_EQ(run.exitCode, 0) << arguments.join(u' ').toStdString();
        EXPECT_EQ(run.err, QString()) << arguments.join(u' ').toStdString();
    }
}

} // namespace

namespace {

// Printing where no CUPS server answers: there are no printers.
TEST_F(Cli, PrintRefusesBadArgumentsAndStartsNothingWithoutPrinters) {
    qputenv("CUPS_SERVER", path("no-cupsd.sock").toLocal8Bit());
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* said;
    };
    const Case cases[] = {
        {{}, 2, "INPUT を 1 つ指定してください"},
        {{QStringLiteral("--printer")}, 2, "--printer の後に NAME を指定してください"},
        {{QStringLiteral("--no-such-step"), path("photo.png")}, 2, "という処理はありません"},
        {{path("photo.png")}, 1, "TQvPrinter.CheckNoPrinter: No Printer"},
        {{QStringLiteral("--printer"), QStringLiteral("pdf"), path("photo.png")},
         1,
         "TQvPrinter.CheckNoPrinter: No Printer"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(QStringList{QStringLiteral("print")} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.said))) << run.err.toStdString();
    }
}

// The processes whose parent is parent, from /proc.
QList<pid_t> childrenOf(pid_t parent) {
    QList<pid_t> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...: the name may hold spaces and parentheses.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == parent)
            children << entry.toInt();
    }
    return children;
}

// What the process has read so far, from /proc/PID/io.
qint64 bytesRead(pid_t pid) {
    QFile io(QStringLiteral("/proc/%1/io").arg(pid));
    if (!io.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = io.readAll();
    const qsizetype at = text.indexOf("rchar: ");
    return at < 0 ? 0 : text.mid(at + 7, text.indexOf('\n', at) - at - 7).toLongLong();
}

bool running(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

TEST_F(Cli, TheMetafileRendererDiesWithTheToolThatStartedIt) {
    // Tens of thousands of rectangles keep the renderer busy for seconds.
    const QByteArray slow = fixtures::emf(400000);
    fixtures::writeFile(path("slow.emf"), slow);
    QProcess tool;
    tool.start(QStringLiteral(PINTABEL_CLI), {QStringLiteral("info"), path("slow.emf")});
    ASSERT_TRUE(tool.waitForStarted());
    QList<pid_t> renderers;
    for (QDeadlineTimer started(20000); renderers.isEmpty() && !started.hasExpired();
         QThread::msleep(10))
        renderers = childrenOf(pid_t(tool.processId()));
    ASSERT_EQ(renderers.size(), 1);
    // Once the renderer has read the whole metafile it no longer needs its parent; before
    // that, losing the parent only cuts its input short.
    for (QDeadlineTimer read(20000); bytesRead(renderers[0]) < slow.size() && !read.hasExpired();
         QThread::msleep(10)) {
    }
    QThread::msleep(200);
    ::kill(pid_t(tool.processId()), SIGKILL);
    tool.waitForFinished();
    QDeadlineTimer gone(5000);
    while (running(renderers[0]) && !gone.hasExpired())
        QThread::msleep(10);
    EXPECT_FALSE(running(renderers[0]));
    ::kill(renderers[0], SIGKILL);
}

} // namespace

namespace {

// Inputs and targets that are no plain files, and hostile or unusual JPEGs, through the tool.
struct OddFileCase {
    const char* name;
    QStringList arguments; // %1 stands for the temporary directory
    int exitCode;
    const char* said; // on standard output or error
};

std::ostream& operator<<(std::ostream& out, const OddFileCase& c) {
    return out << c.name;
}

class CliOddFiles : public Cli, public ::testing::WithParamInterface<OddFileCase> {
protected:
    void SetUp() override {
        Cli::SetUp();
        for (const char* fifo : {"pipe.png", "out.bmp", "out.png", "out.pdf"})
            ASSERT_EQ(::mkfifo(QFile::encodeName(path(fifo)).constData(), 0644), 0);
        ASSERT_TRUE(QFile::link(path("pipe.png"), path("link.png")));
        const QByteArray photo = fixtures::encoded(fixtures::photo(32, 16), "jpeg");
        fixtures::writeFile(path("sideways.jpg"), fixtures::withExifOrientation(photo, 6));
        fixtures::writeFile(path("no-end.jpg"), photo.left(photo.size() - 2));
        fixtures::writeFile(path("bomb.jpg"), fixtures::manyScanJpeg(64, 48, 2000));
    }
    bool fifosStay() const {
        for (const char* fifo : {"pipe.png", "out.bmp", "out.png", "out.pdf"}) {
            struct stat status {};
            if (::lstat(QFile::encodeName(path(fifo)).constData(), &status) != 0 ||
                !S_ISFIFO(status.st_mode))
                return false;
        }
        return true;
    }
};

TEST_P(CliOddFiles, AnswerAtOnceAndLeaveWhatIsNoFile) {
    const OddFileCase& c = GetParam();
    QStringList arguments;
    for (const QString& argument : c.arguments)
        arguments << (argument.contains(QLatin1String("%1")) ? argument.arg(m_dir.path())
                                                             : argument);
    const CliRun run = cli(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    EXPECT_TRUE((run.out + run.err).contains(QString::fromUtf8(c.said)))
        << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(fifosStay());
    EXPECT_FALSE(QFile::exists(path("book.pdf")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliOddFiles,
    ::testing::Values(
        OddFileCase{"info_fifo", {"info", "%1/pipe.png"}, 1, "pipe.png\tunreadable"},
        OddFileCase{"info_link_to_fifo", {"info", "%1/link.png"}, 1, "link.png\tunreadable"},
        OddFileCase{"book_page_fifo",
                    {"book", "%1/book.pdf", "%1/photo.png", "%1/link.png"},
                    1,
                    "読み込めません"},
        OddFileCase{"convert_onto_fifo", {"convert", "%1/photo.png", "%1/out.bmp"}, 2, "out.bmp"},
        OddFileCase{"convert_colouring_onto_fifo",
                    {"convert", "--colouring", "%1/grey.jpg", "%1/out.bmp"},
                    2,
                    "名前付きパイプ"},
        OddFileCase{"overlay_onto_fifo",
                    {"check", "--overlay", "%1/out.png", "%1/photo.png"},
                    2,
                    "名前付きパイプ"},
        OddFileCase{"book_onto_fifo", {"book", "%1/out.pdf", "%1/photo.png"}, 2, "名前付きパイプ"},
        OddFileCase{"scan_bomb", {"info", "%1/bomb.jpg"}, 1, "bomb.jpg\tunreadable"},
        OddFileCase{"exif_sideways", {"info", "%1/sideways.jpg"}, 0, "sideways.jpg\t16x32\t24"},
        OddFileCase{"no_end_marker", {"info", "%1/no-end.jpg"}, 0, "no-end.jpg\t32x16\t24"},
        OddFileCase{"bad_step_value",
                    {"convert", "--clean-lines=100,1000", "%1/photo.png", "%1/x.bmp"},
                    2,
                    "線の太さ 1000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Cli, ASidewaysPhotoTurnedIntoItsColouringPageIsUpright) {
    fixtures::writeFile(
        path("sideways.jpg"),
        fixtures::withExifOrientation(fixtures::encoded(fixtures::photo(32, 16), "jpeg"), 6));
    ASSERT_EQ(cli({QStringLiteral("convert"), QStringLiteral("--colouring"), path("sideways.jpg"),
                   path("upright.bmp")})
                  .exitCode,
              0);
    EXPECT_TRUE(cli({QStringLiteral("info"), path("upright.bmp")})
                    .out.contains(QStringLiteral("upright.bmp\t16x32")));
}

} // namespace
