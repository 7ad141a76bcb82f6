#include "qt_prompts.h"
#include "test_application.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
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

TEST_F(QtPromptsTest, ConfirmationShowsTheQuestionWithItsLineBreak) {
    QString text;
    QString title;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        title = box->windowTitle();
        box->defaultButton()->click();
    });
    EXPECT_TRUE(prompts.confirm(QStringLiteral("上書きしますか？\r\n 注意")));
    EXPECT_EQ(text, QStringLiteral("上書きしますか？\n 注意"));
    EXPECT_EQ(title, QStringLiteral("確認"));
}

struct SaveCase {
    const char* typed;
    const char* chosen;
};

std::ostream& operator<<(std::ostream& out, const SaveCase& c) {
    return out << c.typed;
}

class SaveDialogChoice : public QtPromptsTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveDialogChoice, AddsTheDefaultSuffixOnlyWhereNoneIsTypedAndNeverAsks) {
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("old.jpg")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QString filter;
    QString folder;
    const QString typed = QLatin1String(GetParam().typed);
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        filter = dialog->selectedNameFilter();
        folder = dialog->directory().absolutePath();
        dialog->selectFile(typed);
        // A question about replacing a file would block accept(): answer it and fail.
        auto* guard = new QTimer(dialog);
        guard->setSingleShot(true);
        QObject::connect(guard, &QTimer::timeout, [dialog] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "asked: " << box->text().toStdString();
                box->reject();
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            }
        });
        guard->start(300);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString chosen =
        prompts.saveFileName(dir.path(), QStringLiteral("cat"), QStringLiteral("jpg"),
                             QStringLiteral("JPEG イメージファイル (*.jpg);;ビットマップ (*.bmp)"));
    EXPECT_EQ(chosen, dir.filePath(QLatin1String(GetParam().chosen)));
    EXPECT_EQ(folder, dir.path());
    EXPECT_EQ(filter, QStringLiteral("JPEG イメージファイル (*.jpg)"));
}

INSTANTIATE_TEST_SUITE_P(Names, SaveDialogChoice,
                         ::testing::Values(SaveCase{"cat", "cat.jpg"},
                                           SaveCase{"cat.bmp", "cat.bmp"},
                                           SaveCase{"old.jpg", "old.jpg"}),
                         [](const auto& info) { return "name" + std::to_string(info.index); });

} // namespace
