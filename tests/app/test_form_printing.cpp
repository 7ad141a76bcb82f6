// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"

#include "qv_printers.h"

#include <QAction>

#include <functional>

namespace {

// The Print and Printer setup commands where no CUPS server answers: no printers at all.
class PrintCommandTest : public FormTest {
protected:
    void SetUp() override {
        qputenv("CUPS_SERVER", folder.filePath(QStringLiteral("no-cupsd.sock")).toLocal8Bit());
        FormTest::SetUp();
        service = std::make_unique<TQvPrinter>();
    }
    void TearDown() override {
        FormTest::TearDown();
        service.reset();
    }
    std::unique_ptr<TQvPrinter> service;
};

TEST_F(PrintCommandTest, DialogsAreShownAndConfirmingWithoutAPrinterIsAnError) {
    open(picture(QStringLiteral("cat.png"), 40, 20));
    ASSERT_TRUE(form->Print1->isEnabled());
    struct Case {
        QAction* TForm1::*item;
        const char* dialog;
        bool confirm;
        QStringList errors;
    };
    const QStringList noPrinter{QStringLiteral("TQvPrinter.CheckNoPrinter: No Printer")};
    const Case cases[] = {
        {&TForm1::Print1, "print", false, {}},
        {&TForm1::Print1, "print", true, noPrinter},
        {&TForm1::N7, "setup", false, {}},
        {&TForm1::N7, "setup", true, noPrinter},
    };
    for (const Case& c : cases) {
        prompts.dialogsShown.clear();
        prompts.errors.clear();
        prompts.confirmDialogs = c.confirm;
        (form.get()->*c.item)->trigger();
        EXPECT_EQ(prompts.dialogsShown, QStringList{QString::fromLatin1(c.dialog)}) << c.dialog;
        EXPECT_EQ(prompts.errors, c.errors) << c.dialog << " confirmed " << c.confirm;
        EXPECT_FALSE(service->jobOpen());
    }
}

// Print All Pages asks which pages first; with none left ticked nothing more is asked.
TEST_F(PrintCommandTest, PrintAllAsksForThePagesThenThePrinter) {
    open(picture(QStringLiteral("cat.png"), 40, 20));
    open(picture(QStringLiteral("dog.png"), 20, 40));
    const auto untickAll = [](QList<PageChoice>& pages) {
        for (PageChoice& page : pages)
            page.ticked = false;
    };
    const struct {
        std::function<void(QList<PageChoice>&)> choose;
        QStringList dialogs;
        int errors;
    } cases[] = {{[](QList<PageChoice>&) {}, {"pages", "print"}, 1}, {untickAll, {"pages"}, 0}};
    for (const auto& c : cases) {
        prompts.dialogsShown.clear();
        prompts.errors.clear();
        prompts.choosePages = c.choose;
        form->PrintAll1->trigger();
        EXPECT_EQ(prompts.dialogsShown, c.dialogs);
        EXPECT_EQ(prompts.errors.size(), c.errors);
        EXPECT_EQ(prompts.pagesShown.size(), 2);
        EXPECT_FALSE(service->jobOpen());
    }
}

} // namespace
