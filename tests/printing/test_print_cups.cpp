// Printing through a real CUPS server. print_cups_test.sh starts one of its own, runs the
// cases of each phase with the --gtest_filter it chooses, and then checks what the queue
// made of the jobs; run alone, these cases are skipped.
#include "form_fixture.h"

#include "qv_printers.h"

#include <QAction>
#include <QPainter>
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
    void print(const QString& name, int width, int height) {
        open(picture(tag + name, width, height, qRgb(20, 30, 60)));
        form->Print1->trigger();
    }
    QString tag;
    std::unique_ptr<TQvPrinter> service;
};

using CupsNoPrinters = CupsTest;
using CupsPrinting = CupsTest;

TEST_F(CupsNoPrinters, PrintingStartsNothing) {
    EXPECT_EQ(service->printers().count(), 0u);
    print(QStringLiteral("-none.png"), 40, 20);
    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("TQvPrinter.CheckNoPrinter: No Printer")});
    EXPECT_FALSE(service->jobOpen());
}

// The script finds one page for each of these, the picture where the fit rule puts it.
TEST_F(CupsPrinting, PrintsTheActivePage) {
    print(QStringLiteral("-wide.png"), 400, 200);
    print(QStringLiteral("-tall.png"), 100, 400);
    EXPECT_EQ(prompts.dialogsShown, (QStringList{QStringLiteral("print"), QStringLiteral("print")}));
    EXPECT_EQ(prompts.errors, QStringList());
    EXPECT_FALSE(service->jobOpen());
}

// ... and nothing for these.
TEST_F(CupsPrinting, AnEmptyPictureAbandonsTheJob) {
    open(picture(tag + QStringLiteral("-empty.png"), 40, 20));
    picture(0) = Bitmap();
    form->Print1->trigger();
    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("0 による除算")});
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
    service->AbortJob();
    EXPECT_FALSE(service->jobOpen());
}

} // namespace
