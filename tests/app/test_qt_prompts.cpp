// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_save_dialog.h"
#include "qt_prompts.h"
#include "test_application.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class QtPromptsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    // Runs act on the modal window once it is shown.
    template <typename Window> void whenShown(std::function<void(Window*)> act) {
        QTimer::singleShot(0, [act] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            act(window);
        });
    }
    QtPrompts prompts;
};

TEST_F(QtPromptsTest, ConfirmationShowsTheQuestionAndEnterPressesItsDefaultButton) {
    for (const auto& [defaultButton, enterConfirms] :
         {std::pair{Prompts::Default::Ok, true}, std::pair{Prompts::Default::Cancel, false}}) {
        QString text;
        QString title;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(prompts.confirm(QStringLiteral("上書きしますか？\r\n 注意"), defaultButton),
                  enterConfirms);
        EXPECT_EQ(text, QStringLiteral("上書きしますか？\n 注意"));
        EXPECT_EQ(title, QStringLiteral("確認"));
    }
}

struct SaveCase {
    const char* typed;
    int type;           // the chosen filter entry: 0 JPEG, 1 BMP
    const char* chosen; // empty: nothing chosen
    bool asked;         // whether replacing old.jpg is asked about
    QMessageBox::StandardButton answer;
};

std::ostream& operator<<(std::ostream& out, const SaveCase& c) {
    return out << c.typed << " as type " << c.type;
}

class SaveDialogChoice : public QtPromptsTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveDialogChoice, ATypedNameGetsTheTypesExtensionAndReplacingAFileIsAsked) {
    const SaveCase& c = GetParam();
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("old.jpg")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QString filter;
    QString folder;
    bool asked = false;
    const QString typed = QLatin1String(c.typed);
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        filter = dialog->selectedNameFilter();
        folder = dialog->directory().absolutePath();
        dialog->selectNameFilter(dialog->nameFilters().value(c.type));
        dialog->selectFile(typed);
        // The question about replacing a file comes inside accept(): answer it, then leave
        // a dialog that stayed open.
        auto* guard = new QTimer(dialog);
        guard->setSingleShot(true);
        QObject::connect(guard, &QTimer::timeout, [&asked, &c] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->button(c.answer)->click();
            }
        });
        guard->start(300);
        QMetaObject::invokeMethod(dialog, "accept");
        if (dialog->isVisible())
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    });
    const QString chosen =
        prompts.saveFileName(dir.path(), QStringLiteral("cat"), QStringLiteral("jpg"),
                             QStringLiteral("JPEG イメージファイル (*.jpg);;ビットマップ (*.bmp)"));
    EXPECT_EQ(chosen, *c.chosen ? dir.filePath(QLatin1String(c.chosen)) : QString());
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(folder, dir.path());
    EXPECT_EQ(filter, QStringLiteral("JPEG イメージファイル (*.jpg)"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveDialogChoice,
    ::testing::Values(SaveCase{"cat", 0, "cat.jpg", false, QMessageBox::NoButton},
                      SaveCase{"cat", 1, "cat.bmp", false, QMessageBox::NoButton},
                      SaveCase{"cat.bmp", 0, "cat.bmp", false, QMessageBox::NoButton},
                      SaveCase{"old", 0, "old.jpg", true, QMessageBox::Yes},
                      SaveCase{"old.jpg", 1, "", true, QMessageBox::No}),
    [](const auto& info) { return "name" + std::to_string(info.index); });

TEST(FilterExtension, IsTheFirstPatternsExtension) {
    EXPECT_EQ(filterExtension(QStringLiteral("ビットマップ (*.bmp)")), QStringLiteral("bmp"));
    EXPECT_EQ(filterExtension(QStringLiteral("JPEG (*.jpg *.jpeg)")), QStringLiteral("jpg"));
    EXPECT_EQ(filterExtension(QStringLiteral("すべて (*)")), QString());
}

} // namespace
