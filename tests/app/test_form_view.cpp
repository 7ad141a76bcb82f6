#include "form_fixture.h"

#include "about_form.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

using WindowTest = FormTest;

TEST_F(WindowTest, StartsWithThePlaceholderInAWindowOf360x422) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Pintabel"));
    EXPECT_EQ(form->outerSize(), QSize(360, 422));
    EXPECT_TRUE(form->Image1->isVisible());
    EXPECT_FALSE(form->PageControl1->isVisible());
    ASSERT_FALSE(form->Image1->pixmap().isNull());
    EXPECT_EQ(form->Image1->pixmap().size(), QSize(271, 262));
    EXPECT_EQ(form->Image1->alignment(), Qt::AlignCenter);
    EXPECT_EQ(form->Image1->parentWidget()->palette().color(QPalette::Window),
              QColor(255, 255, 204));
    EXPECT_EQ(form->StatusBar1->height(), 19);
    EXPECT_EQ(form->StatusProgress->parentWidget(), form->StatusBar1);
    EXPECT_EQ(form->StatusProgress->pos(), QPoint(0, 0));
    EXPECT_EQ(form->StatusProgress->height(), 19);
    EXPECT_FALSE(form->StatusProgress->isVisible());
    EXPECT_EQ(form->PageControl1->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_TRUE(form->acceptDrops());
    EXPECT_EQ(form->Store.PageCount, 0);
    EXPECT_FALSE(form->Store.Converting);
    EXPECT_FALSE(form->Store.HasPage);
    EXPECT_EQ(form->ToneObject.Mode, 0);
}

TEST_F(WindowTest, ProgressBarFollowsTheStatusBarWidth) {
    form->setOuterSize(QSize(640, 480));
    EXPECT_EQ(form->StatusProgress->width(), form->StatusBar1->width());
    EXPECT_GT(form->StatusProgress->width(), 400);
    form->setOuterSize(QSize(420, 480));
    EXPECT_EQ(form->StatusProgress->width(), form->StatusBar1->width());
    EXPECT_EQ(form->StatusProgress->height(), 19);
}

struct MenuItem {
    QAction* TForm1::*action;
    const char* caption;
    QKeySequence shortcut;
    bool enabledAtStart;
};

TEST_F(WindowTest, MainMenuItemsInOrderWithCaptionsShortcutsIconsAndStartState) {
    const MenuItem items[] = {
        {&TForm1::Open1, "開く(&O)", QKeySequence(Qt::CTRL | Qt::Key_O), true},
        {&TForm1::Close1, "消去", QKeySequence(), false},
        {&TForm1::N3, "", QKeySequence(), true},
        {&TForm1::Save1, "上書き保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), false},
        {&TForm1::SaveAs1, "名前を付けて保存(&A)...", QKeySequence(), false},
        {&TForm1::N2, "", QKeySequence(), true},
        {&TForm1::Print1, "印刷", QKeySequence(Qt::CTRL | Qt::Key_P), false},
        {&TForm1::N7, "プリンタ設定", QKeySequence(), true},
        {&TForm1::N1, "", QKeySequence(), true},
        {&TForm1::About_Pintabel1, "Pintabel..情報", QKeySequence(), true},
        {&TForm1::Exit1, "終了(&X)", QKeySequence(), true},
    };
    EXPECT_EQ(form->File1->title(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(form->MainMenu1->actions(), QList<QAction*>{form->File1->menuAction()});
    const QList<QAction*> actions = form->File1->actions();
    ASSERT_EQ(actions.size(), int(std::size(items)));
    for (int i = 0; i < actions.size(); ++i) {
        const MenuItem& item = items[i];
        QAction* action = form.get()->*item.action;
        EXPECT_EQ(actions[i], action) << i;
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption)) << i;
        EXPECT_EQ(action->shortcut(), item.shortcut) << i;
        EXPECT_EQ(action->isEnabled(), item.enabledAtStart) << i;
        EXPECT_EQ(action->isSeparator(), *item.caption == '\0') << i;
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << i;
        }
    }
}

TEST_F(WindowTest, PopupMenuItemsInOrderWithDisabledSeparators) {
    const MenuItem items[] = {
        {&TForm1::N4, "塗り絵に変換", {}, true},
        {&TForm1::N10, "", {}, false},
        {&TForm1::N9, "色を薄くする", {}, true},
        {&TForm1::N5, "色を濃くする", {}, true},
        {&TForm1::N11, "", {}, false},
        {&TForm1::N6, "元に戻す", {}, true},
        {&TForm1::N12, "", {}, false},
        {&TForm1::N13, "実物大で表示", {}, true},
        {&TForm1::N14, "標準サイズで表示", {}, true},
    };
    const QList<QAction*> actions = form->PopupMenu1->actions();
    ASSERT_EQ(actions.size(), int(std::size(items)));
    for (int i = 0; i < actions.size(); ++i) {
        QAction* action = form.get()->*items[i].action;
        EXPECT_EQ(actions[i], action) << i;
        EXPECT_EQ(action->text(), QString::fromUtf8(items[i].caption)) << i;
        EXPECT_EQ(action->isEnabled(), items[i].enabledAtStart) << i;
        EXPECT_TRUE(action->shortcut().isEmpty()) << i;
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << i;
        }
    }
}

TEST_F(WindowTest, RightClickOnThePagesShowsThePopupMenu) {
    open(picture(QStringLiteral("menu.png"), 60, 40));
    QSignalSpy aboutToShow(form->PopupMenu1, &QMenu::aboutToShow);
    // The page's picture does not take the event; it reaches the tab control.
    QWidget* image = page(0);
    const QPoint at = image->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, image->mapToGlobal(at));
    QCoreApplication::sendEvent(image, &event);
    EXPECT_EQ(aboutToShow.count(), 1);
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    form->PopupMenu1->hide();
}

struct SizeCase {
    const char* name;
    int width;
    int height;
    bool actualSize;
    QSize pageArea;
};

class PageSizing : public FormTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(PageSizing, PageAreaTakesTheWidthAndThePicturesProportion) {
    const SizeCase& c = GetParam();
    open(picture(QStringLiteral("size.png"), c.width, c.height));
    EXPECT_EQ(pageArea(), QSize(300, 300 * c.height / c.width));
    if (c.actualSize) {
        const QSize outer = form->outerSize();
        const QSize area = pageArea();
        form->N13->trigger();
        EXPECT_EQ(form->outerSize() - outer, pageArea() - area);
    }
    EXPECT_EQ(pageArea(), c.pageArea);
    EXPECT_TRUE(form->PageControl1->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageSizing,
    ::testing::Values(SizeCase{"Standard600x400", 600, 400, false, {300, 200}},
                      SizeCase{"Standard600x401", 600, 401, false, {300, 200}},
                      SizeCase{"ActualSize1000x500", 1000, 500, true, {1000, 500}}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

TEST_F(WindowTest, StandardSizeCommandGoesBackTo300) {
    open(picture(QStringLiteral("back.png"), 1000, 500));
    form->N13->trigger();
    ASSERT_EQ(pageArea(), QSize(1000, 500));
    form->N14->trigger();
    EXPECT_EQ(pageArea(), QSize(300, 150));
}

TEST_F(WindowTest, ClickOnThePictureKeepsTheWidthAndRefitsTheHeight) {
    open(picture(QStringLiteral("click.png"), 600, 400));
    form->setOuterSize(form->outerSize() + QSize(150, 37));
    ASSERT_EQ(pageArea(), QSize(450, 237));
    clickPage();
    EXPECT_EQ(pageArea(), QSize(450, 300));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(WindowTest, ClickWithNoPageDoesNothing) {
    const QSize outer = form->outerSize();
    QTest::mouseClick(form->centralWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(form->outerSize(), outer);
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(WindowTest, ClickDuringAConversionAsksToAbandonIt) {
    open(picture(QStringLiteral("busy.png"), 60, 40));
    const QSize outer = form->outerSize();
    form->Store.Converting = true;
    prompts.answer = [](const QString&) { return false; };
    clickPage();
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("変換処理を中断しますか？")});
    EXPECT_FALSE(form->Store.AbortRequested);
    prompts.answer = [](const QString&) { return true; };
    clickPage();
    EXPECT_TRUE(form->Store.AbortRequested);
    EXPECT_EQ(form->outerSize(), outer);
    form->Store.Converting = false;
    form->Store.AbortRequested = false;
}

TEST_F(WindowTest, PictureOfWidthZeroKeepsTheWindowHeight) {
    open(picture(QStringLiteral("wide.png"), 600, 400));
    const int height = form->outerSize().height();
    dropEmptyPicture(QStringLiteral("notes.txt"));
    ASSERT_EQ(form->Store.PageCount, 2);
    EXPECT_TRUE(picture(1).isEmpty());
    EXPECT_EQ(form->outerSize().height(), height);
    EXPECT_EQ(pageArea().width(), 300);
    EXPECT_TRUE(form->PageControl1->isVisible());
    form->N13->trigger();
    EXPECT_EQ(form->outerSize().height(), height);
    EXPECT_TRUE(form->PageControl1->isVisible());
    form->N14->trigger();
    clickPage();
    EXPECT_EQ(form->outerSize().height(), height);
    EXPECT_TRUE(form->PageControl1->isVisible());
}

TEST_F(WindowTest, UserTabChangeRefitsButClosingDoesNot) {
    drop({picture(QStringLiteral("a.png"), 600, 400), picture(QStringLiteral("b.png"), 300, 600),
          picture(QStringLiteral("c.png"), 400, 400)});
    ASSERT_EQ(pageArea(), QSize(300, 300));
    form->N13->trigger();
    ASSERT_EQ(pageArea(), QSize(400, 400));

    QTabBar* bar = form->PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(0).center());
    ASSERT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(pageArea(), QSize(300, 200));

    form->N13->trigger();
    ASSERT_EQ(pageArea(), QSize(600, 400));
    form->Close1->trigger();
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(form->PageControl1->tabText(0), QStringLiteral("b.png"));
    EXPECT_EQ(pageArea(), QSize(600, 400));
}

TEST_F(WindowTest, SaveAndPrintShortcutsDoNothingWithoutAPage) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QSignalSpy saved(form->Save1, &QAction::triggered);
    QSignalSpy printed(form->Print1, &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(printed.count(), 0);

    // The same keys reach the commands once a page is open.
    open(picture(QStringLiteral("keys.png"), 30, 30));
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(printed.count(), 1);
}

TEST_F(WindowTest, CtrlOOpensTheDialog) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(prompts.filters.size(), 1);
    EXPECT_EQ(form->Store.PageCount, 0);
}

TEST_F(WindowTest, AboutShowsOneWindowInFrontAndCloseHidesIt) {
    TAbout_Form about;
    form->setAboutForm(&about);
    form->About_Pintabel1->trigger();
    form->About_Pintabel1->trigger();
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<TAbout_Form*>(widget) && widget->isVisible())
            ++shown;
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(form->isVisible());
    about.Button1Click();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(WindowTest, ExitClosesTheWindowWithOpenPagesAndAsksNothing) {
    open(picture(QStringLiteral("exit.png"), 30, 30));
    form->Exit1->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(prompts.questions.isEmpty());
}

} // namespace
