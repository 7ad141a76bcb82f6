// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "qv_printers.h"

#include "test_application.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace {

using namespace PrinterAttribute;

const TQvPrinterEntry Office{QStringLiteral("office"), Default | Shared};
const TQvPrinterEntry Lab{QStringLiteral("lab"), Network};
const TQvPrinterEntry HiddenLab{QStringLiteral("lab"), Network | Hidden};

TEST(QvAllPrintersInfo, IsSameAsComparesCountsNamesAndAttributesInOrder) {
    const TQvPrinterEntry office2{QStringLiteral("Office"), Default | Shared};
    struct Case {
        const char* what;
        QList<TQvPrinterEntry> a, b;
        bool same;
    };
    const Case cases[] = {
        {"both empty", {}, {}, true},
        {"same printers", {Office, Lab}, {Office, Lab}, true},
        {"another order", {Office, Lab}, {Lab, Office}, false},
        {"one more", {Office}, {Office, Lab}, false},
        {"name differs in case only", {Office}, {office2}, false},
        {"attribute word differs", {Lab}, {HiddenLab}, false},
        {"empty and not", {}, {Office}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TQvAllPrintersInfo(c.a).IsSameAs(TQvAllPrintersInfo(c.b)), c.same) << c.what;
        EXPECT_EQ(TQvAllPrintersInfo(c.b).IsSameAs(TQvAllPrintersInfo(c.a)), c.same) << c.what;
    }
}

TEST(QvPrinter, CheckNoPrinterWantsAPrinterThatIsNotHidden) {
    struct Case {
        const char* what;
        QList<TQvPrinterEntry> printers;
        bool refused;
    };
    const Case cases[] = {
        {"no printers", {}, true},
        {"all hidden", {HiddenLab, {QStringLiteral("x"), Hidden}}, true},
        {"a visible one after a hidden one", {HiddenLab, Office}, false},
    };
    for (const Case& c : cases) {
        TQvPrinter service{TQvAllPrintersInfo(c.printers)};
        if (!c.refused) {
            EXPECT_NO_THROW(service.CheckNoPrinter()) << c.what;
            continue;
        }
        try {
            service.CheckNoPrinter();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EQvPrinterNoPrinter& error) {
            EXPECT_EQ(error.message(), QStringLiteral("TQvPrinter.CheckNoPrinter: No Printer"));
        }
        // The page size is refused the same way, before any printer is made.
        EXPECT_THROW(service.GetPageSizePixels(), EQvPrinterNoPrinter) << c.what;
    }
}

TEST(QvPrinter, JobOperationsWithoutAnOpenJobAreRefused) {
    TQvPrinter service{TQvAllPrintersInfo(QList<TQvPrinterEntry>())};
    for (auto operation :
         {+[](TQvPrinter& s) { s.JobCanvas(); }, +[](TQvPrinter& s) { s.EndJob(); },
          +[](TQvPrinter& s) { s.AbortJob(); }}) {
        try {
            operation(service);
            ADD_FAILURE() << "no error";
        } catch (const EQvPrinter& error) {
            EXPECT_EQ(error.message(), QStringLiteral("プリンタに印刷できる状態ではありません"));
        }
    }
}

TEST(QvPrinter, AChangedPrinterListDropsTheChosenPrinter) {
    // CUPS takes the server's name once per process: set it before anything asks.
    qputenv("CUPS_SERVER", "/nonexistent/pintabel-test/cups.sock");
    ensureApplication();
    TQvPrinter service{TQvAllPrintersInfo({Office, Lab})};
    EXPECT_EQ(&QvPrinter(), &service);
    // A setting made in a dialog lives as long as the printer object does.
    service.printer().setDocName(QStringLiteral("chosen"));
    EXPECT_FALSE(service.refreshPrinters(TQvAllPrintersInfo({Office, Lab})));
    EXPECT_EQ(service.printer().docName(), QStringLiteral("chosen"));
    EXPECT_TRUE(service.refreshPrinters(TQvAllPrintersInfo({Lab, Office})));
    EXPECT_EQ(service.printer().docName(), QString());
    EXPECT_TRUE(service.printers().IsSameAs(TQvAllPrintersInfo({Lab, Office})));

    // A CUPS server that cannot be asked leaves everything as it was.
    const TQvAllPrintersInfo unreachable;
    EXPECT_TRUE(unreachable.failed());
    EXPECT_EQ(unreachable.count(), 0u);
    service.printer().setDocName(QStringLiteral("chosen again"));
    EXPECT_FALSE(service.refreshPrinters());
    EXPECT_EQ(service.printer().docName(), QStringLiteral("chosen again"));
    EXPECT_TRUE(service.printers().IsSameAs(TQvAllPrintersInfo({Lab, Office})));
}

} // namespace
