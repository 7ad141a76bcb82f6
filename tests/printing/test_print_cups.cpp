// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Printing through a real CUPS server. print_cups_test.sh starts one of its own, runs the
// cases of each phase with the --gtest_filter it chooses, and then checks what the queue
// made of the jobs; run alone, these cases are skipped.
#include "form_fixture.h"

#include "qv_printers.h"

#include <QAction>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTabWidget>

namespace {

class CupsTest : public FormTest {
protected:
    void SetUp() override {
        tag = qEnvironmentVariable("PINTABEL_PRINT_TAG");
        if (tag.isEmpty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            GTEST_SKIP() << "needs the CUPS server that print_cups_test.sh starts";
        FormTest::SetUp();
        service = std::make_unique<TQvPrinter>();
    }
    void TearDown() override {
        FormTest::TearDown();
        service.reset();
    }
    // Opens a dark picture named after the run's tag and prints it through the Print command.
    void print(const QString& name, int width, int height,
               QImage::Format format = QImage::Format_RGB32) {
        open(picture(tag + name, width, height, qRgb(20, 30, 60), format));
        form->Print1->trigger();
    }
    QString tag;
    std::unique_ptr<TQvPrinter> service;
};

using CupsNoPrinters = CupsTest;
using CupsPrinting = CupsTest;
using CupsPrinterChanges = CupsTest;

// Runs a CUPS administration command against the test's server.
void administer(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    ASSERT_EQ(process.exitCode(), 0) << program.toStdString();
}

void addQueue(const QString& name) {
    administer(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd")});
}

TEST_F(CupsNoPrinters, PrintingStartsNothing) {
    EXPECT_EQ(service->printers().count(), 0u);
    print(QStringLiteral("-none.png"), 40, 20);
    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("TQvPrinter.CheckNoPrinter: No Printer")});
    EXPECT_FALSE(service->jobOpen());
}

// The script finds one page for each of these, the picture where the fit rule puts it.
TEST_F(CupsPrinting, PrintsTheActivePage) {
    print(QStringLiteral("-wide.png"), 400, 200);
    // A page of 1 bit per pixel.
    print(QStringLiteral("-tall.png"), 100, 400, QImage::Format_Mono);
    EXPECT_EQ(picture(1).depth(), 1);
    EXPECT_EQ(prompts.dialogsShown,
              (QStringList{QStringLiteral("print"), QStringLiteral("print")}));
    EXPECT_EQ(prompts.errors, QStringList());
    EXPECT_FALSE(service->jobOpen());
}

// ... and nothing for these.
TEST_F(CupsPrinting, AnEmptyPictureAbandonsTheJob) {
    open(picture(tag + QStringLiteral("-empty.png"), 40, 20));
    picture(0) = Bitmap();
    form->Print1->trigger();
    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("印刷する画像がありません。")});
    EXPECT_FALSE(service->jobOpen());
}

TEST_F(CupsPrinting, ASecondJobWhileOneIsOpenIsRefused) {
    service->BeginJob(tag + QStringLiteral("-abandoned"));
    service->JobCanvas().fillRect(QRect(0, 0, 100, 100), Qt::black);
    try {
        service->BeginJob(tag + QStringLiteral("-second"));
        ADD_FAILURE() << "a second job began";
    } catch (const EQvPrinter& error) {
        EXPECT_EQ(error.message(), QStringLiteral("現在印刷中です"));
    }
    EXPECT_TRUE(service->jobOpen());
    EXPECT_EQ(service->printer().docName(), tag + QStringLiteral("-abandoned"));
    service->AbortJob();
    EXPECT_FALSE(service->jobOpen());
}

// The queue "pdf" is the default; a second queue comes and goes, "pdf" stops taking jobs,
// and at last the default goes away.
TEST_F(CupsPrinterChanges, AChangeOfPrintersGoesBackToTheDefault) {
    EXPECT_EQ(service->printer().printerName(), QStringLiteral("pdf"));
    EXPECT_FALSE(service->refreshPrinters());

    addQueue(QStringLiteral("pdf2"));
    EXPECT_TRUE(service->refreshPrinters());
    service->selectPrinter(QStringLiteral("pdf2"));
    EXPECT_EQ(service->printer().printerName(), QStringLiteral("pdf2"));

    // The list is taken again when the application becomes active.
    administer(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("pdf2")});
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(service->printers().count(), 1u);
    EXPECT_EQ(service->printer().printerName(), QStringLiteral("pdf"));

    // A queue that rejects jobs counts as hidden: no printer to print on.
    administer(QStringLiteral("cupsreject"), {QStringLiteral("pdf")});
    EXPECT_TRUE(service->refreshPrinters());
    ASSERT_EQ(service->printers().count(), 1u);
    EXPECT_TRUE(service->printers().attributes(0) & PrinterAttribute::Hidden);
    EXPECT_THROW(service->CheckNoPrinter(), EQvPrinterNoPrinter);
    administer(QStringLiteral("cupsaccept"), {QStringLiteral("pdf")});
    EXPECT_TRUE(service->refreshPrinters());
    EXPECT_NO_THROW(service->CheckNoPrinter());

    // Printers, but no default among them.
    addQueue(QStringLiteral("pdf3"));
    administer(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("pdf")});
    EXPECT_TRUE(service->refreshPrinters());
    try {
        service->GetPageSizePixels();
        ADD_FAILURE() << "a page size without a default printer";
    } catch (const EQvPrinter& error) {
        EXPECT_EQ(error.message(), QStringLiteral("デフォルト プリンタが存在しません"));
    }
}

} // namespace
