// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"

#include "about_form.h"
#include "page_control.h"

#include "image_loader.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

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
        {&TForm1::Export1, "書き出し(&E)...", QKeySequence(), false},
        {&TForm1::N2, "", QKeySequence(), true},
        {&TForm1::Print1, "印刷", QKeySequence(Qt::CTRL | Qt::Key_P), false},
        {&TForm1::PrintAll1, "すべてのページを印刷...", QKeySequence(), false},
        {&TForm1::N7, "プリンタ設定", QKeySequence(), true},
        {&TForm1::SaveBook1, "塗り絵ブックをPDFで保存...", QKeySequence(), false},
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
        {&TForm1::CleanLines1, "線画に変換...", {}, true},
        {&TForm1::ColourByNumber1, "数字で塗り絵に変換...", {}, true},
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

QScrollArea* pageScrollArea(TForm1& form) {
    return form.PageControl1->currentWidget()->findChild<QScrollArea*>();
}

bool scrolls(TForm1& form) {
    const QScrollArea* area = pageScrollArea(form);
    return area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible();
}

struct SizeCase {
    const char* name;
    QSize picture; // an empty size stands for twice the room the screen has
    std::vector<QAction * TForm1::*> commands;
    int shownWidth; // 0 stands for the picture's own width
    bool scrolls;
};

class PageSizing : public FormTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(PageSizing, PageAreaTakesTheWidthAndThePicturesShapeWithinTheScreen) {
    const SizeCase& c = GetParam();
    const QRect room = form->screen()->availableGeometry();
    const QSize size = c.picture.isEmpty() ? room.size() * 2 : c.picture;
    open(picture(QStringLiteral("size.png"), size.width(), size.height()));
    for (QAction* TForm1::*command : c.commands)
        (form.get()->*command)->trigger();
    const int width = c.shownWidth == 0 ? size.width() : c.shownWidth;
    EXPECT_EQ(pageArea(), QSize(width, width * size.height() / size.width()));
    QCoreApplication::processEvents();
    EXPECT_EQ(scrolls(*form), c.scrolls);
    EXPECT_TRUE(room.contains(form->frameGeometry()));
    EXPECT_TRUE(form->PageControl1->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageSizing,
    ::testing::Values(
        SizeCase{"Standard600x400", {600, 400}, {}, 300, false},
        SizeCase{"Standard600x401", {600, 401}, {}, 300, false},
        SizeCase{"Standard512x512", {512, 512}, {&TForm1::N13, &TForm1::N14}, 300, false},
        SizeCase{"ActualSize500x250", {500, 250}, {&TForm1::N13}, 0, false},
        SizeCase{"ActualSizeLargerThanTheScreen", {}, {&TForm1::N13}, 0, true},
        SizeCase{"BackToStandardFromLarge", {}, {&TForm1::N13, &TForm1::N14}, 300, false}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

struct DisplayCase {
    const char* name;
    QAction* TForm1::*command;
    int factor; // picture pixels per screen pixel, each way
};

class PageDisplay : public FormTest, public ::testing::WithParamInterface<DisplayCase> {};

// Each screen pixel shows the mean of the picture pixels it covers: all of them one to one,
// and made smaller, the average of its block, so thin lines fade instead of breaking up.
TEST_P(PageDisplay, ShowsEachPixelOrTheAverageOfThoseItCovers) {
    const DisplayCase& c = GetParam();
    QImage image(600, 400, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           x % 3 == 0 || y % 5 == 0 ? qRgb(0, 0, 0)
                                                    : qRgb(x * 37 % 256, y * 53 % 256, 200));
    const QString path = folder.filePath(QStringLiteral("lines.png"));
    ASSERT_TRUE(image.save(path));
    open(path);
    (form.get()->*c.command)->trigger();
    ASSERT_EQ(pageArea(), image.size() / c.factor);

    const QImage shown = page(0)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), image.size() / c.factor);
    int worst = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            int sum[3] = {0, 0, 0};
            for (int dy = 0; dy < c.factor; ++dy)
                for (int dx = 0; dx < c.factor; ++dx) {
                    const QRgb p = image.pixel(x * c.factor + dx, y * c.factor + dy);
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                }
            const QRgb s = shown.pixel(x, y);
            const int n = c.factor * c.factor;
            worst = std::max({worst, std::abs(qRed(s) - sum[0] / n),
                              std::abs(qGreen(s) - sum[1] / n), std::abs(qBlue(s) - sum[2] / n)});
        }
    EXPECT_LE(worst, c.factor == 1 ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageDisplay,
                         ::testing::Values(DisplayCase{"ActualSize", &TForm1::N13, 1},
                                           DisplayCase{"StandardSize", &TForm1::N14, 2}),
                         [](const ::testing::TestParamInfo<DisplayCase>& info) {
                             return info.param.name;
                         });

TEST_F(WindowTest, NarrowPicturesKeepTheWindowAtItsMinimumWidthAndTheirShape) {
    const struct {
        QSize picture;
        QAction* TForm1::*command;
    } cases[] = {{{3, 3}, &TForm1::N13}, {{10, 40}, &TForm1::N13}, {{2, 1}, &TForm1::N14}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture.width());
        open(picture(QStringLiteral("narrow.png"), c.picture.width(), c.picture.height()));
        (form.get()->*c.command)->trigger();
        const int tabFrame =
            form->PageControl1->width() - form->PageControl1->currentWidget()->width();
        const int width = std::max(c.command == &TForm1::N13 ? c.picture.width() : 300,
                                   TForm1::MinimumClientWidth - tabFrame);
        EXPECT_EQ(pageArea(), QSize(width, width * c.picture.height() / c.picture.width()));
        EXPECT_GE(form->width(), TForm1::MinimumClientWidth);
    }
}

TEST_F(WindowTest, OnlyClicksOnThePictureRefitTheHeight) {
    open(picture(QStringLiteral("click.png"), 600, 400));
    const struct {
        const char* where;
        std::function<void()> click;
        QSize after;
    } cases[] = {
        {"the empty part of the tab row",
         [this] {
             QTabWidget* tabs = form->PageControl1;
             QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier,
                               QPoint(tabs->width() - 5, tabs->tabBar()->height() / 2));
         },
         {450, 237}},
        {"the picture", [this] { clickPage(); }, {450, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        form->N14->trigger();
        form->setOuterSize(form->outerSize() + QSize(150, 37));
        ASSERT_EQ(pageArea(), QSize(450, 237));
        c.click();
        EXPECT_EQ(pageArea(), c.after);
    }
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

TEST_F(WindowTest, MenuKeyAndShiftF10OpenThePagesMenu) {
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        SCOPED_TRACE(keys.toString().toStdString());
        form = std::make_unique<TForm1>(prompts);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QSignalSpy shown(form->PopupMenu1, &QMenu::aboutToShow);
        QTest::keySequence(form.get(), keys);
        EXPECT_EQ(shown.count(), 0); // no page, no menu
        open(picture(QStringLiteral("keys.png"), 60, 40));
        QTest::keySequence(form.get(), keys);
        EXPECT_EQ(shown.count(), 1);
        EXPECT_TRUE(form->PopupMenu1->isVisible());
        form->PopupMenu1->hide();
    }
}

TEST_F(WindowTest, FilesNamedOnTheCommandLineOpenInOrderAsIfDropped) {
    const QString a = picture(QStringLiteral("a.png"), 600, 400);
    const QString b = picture(QStringLiteral("b.png"), 300, 600);
    const QString c = picture(QStringLiteral("c.png"), 400, 200);
    const QString here = QDir::currentPath();
    QDir::setCurrent(folder.path());
    form->openCommandLine(
        {QStringLiteral("a.png"), b, QUrl::fromLocalFile(c).toString(QUrl::FullyEncoded)});
    QDir::setCurrent(here);
    ASSERT_EQ(form->Store.PageCount, 3);
    EXPECT_EQ(QStringList(form->Store.PageFileNames.begin(), form->Store.PageFileNames.begin() + 3),
              QStringList({a, b, c}));
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
    EXPECT_EQ(pageArea(), QSize(300, 150));
}

// Records the cursor shown while a picture loads.
Qt::CursorShape cursorWhileLoading = Qt::ArrowCursor;

bool recordCursorAndLoad(const QString& path, Bitmap& bitmap) {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    cursorWhileLoading = cursor ? cursor->shape() : Qt::ArrowCursor;
    return ImageLoaderGP(path, bitmap);
}

TEST_F(WindowTest, TheMouseShowsTheBusyCursorWhileAPictureLoads) {
    form->setPictureLoader(&recordCursorAndLoad);
    open(picture(QStringLiteral("busy.png"), 60, 40));
    EXPECT_EQ(cursorWhileLoading, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form->Store.PageCount, 1);
}

TEST_F(WindowTest, ThePagesMenuClosesAndTheBusyCursorShowsWhileItsCommandWorks) {
    open(picture(QStringLiteral("work.png"), 400, 300));
    for (QAction* TForm1::*command : {&TForm1::N4, &TForm1::N9}) {
        form->PopupMenu1->popup(form->mapToGlobal(QPoint(20, 20)));
        ASSERT_TRUE(form->PopupMenu1->isVisible());
        bool menuShown = true;
        Qt::CursorShape cursor = Qt::ArrowCursor;
        // Runs when the command's pixel loop first lets messages through.
        QMetaObject::invokeMethod(
            form.get(),
            [&] {
                menuShown = form->PopupMenu1->isVisible();
                const QCursor* shown = QGuiApplication::overrideCursor();
                cursor = shown ? shown->shape() : Qt::ArrowCursor;
            },
            Qt::QueuedConnection);
        (form.get()->*command)->trigger();
        EXPECT_FALSE(menuShown);
        EXPECT_EQ(cursor, Qt::WaitCursor);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

// The bounding box of the pixels of picture that match.
QRect boxOf(const QImage& picture, const std::function<bool(QRgb)>& match) {
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (match(picture.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(WindowTest, ThePictureKeepsItsShapeCentredInAnyWindowShape) {
    const struct {
        const char* name;
        QSize picture;
        QSize outer; // empty: the standard size
    } cases[] = {{"wide window", {400, 400}, {1200, 500}},
                 {"tall window", {400, 300}, {400, 900}},
                 {"standard size", {600, 401}, {}}};
    const QColor background(255, 255, 204);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(c.picture, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setBrush(Qt::black);
        const int side = std::min(c.picture.width(), c.picture.height());
        painter.drawEllipse(QRect(QPoint(0, 0), QSize(side, side) * 3 / 4)
                                .translated(c.picture.width() / 8, c.picture.height() / 8));
        painter.end();
        const QString path = folder.filePath(QStringLiteral("disc.png"));
        ASSERT_TRUE(image.save(path));
        open(path);
        if (!c.outer.isEmpty())
            form->setOuterSize(c.outer);
        QCoreApplication::processEvents();
        const QImage shown = page(form->PageControl1->currentIndex())->grab().toImage();
        const QRect drawn = boxOf(shown, [&](QRgb p) { return QColor(p) != background; });
        const QRect disc = boxOf(shown, [](QRgb p) { return qGray(p) < 128; });
        ASSERT_FALSE(disc.isEmpty());
        EXPECT_NEAR(double(disc.width()) / disc.height(), 1.0, 0.03);
        EXPECT_NEAR(double(drawn.width()) / drawn.height(),
                    double(c.picture.width()) / c.picture.height(), 0.03);
        if (c.outer.isEmpty()) {
            EXPECT_EQ(drawn, shown.rect()) << "standard size shows the picture over the whole area";
        } else {
            EXPECT_NE(drawn, shown.rect());
            EXPECT_LE(std::abs(drawn.left() - (shown.width() - 1 - drawn.right())), 1);
            EXPECT_LE(std::abs(drawn.top() - (shown.height() - 1 - drawn.bottom())), 1);
        }
    }
}

TEST_F(WindowTest, TheWheelScrollsALargePictureAndTheTabRowStays) {
    open(picture(QStringLiteral("large.png"), 5000, 3500));
    form->N13->trigger();
    QCoreApplication::processEvents();
    QScrollArea* area = pageScrollArea(*form);
    QTabBar* tabs = form->PageControl1->tabBar();
    const QPoint tabsAt = tabs->mapTo(form.get(), QPoint(0, 0));
    const struct {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        QScrollBar* moves;
        QScrollBar* stays;
    } cases[] = {
        {"wheel", Qt::NoModifier, area->verticalScrollBar(), area->horizontalScrollBar()},
        {"shift and wheel", Qt::ShiftModifier, area->horizontalScrollBar(),
         area->verticalScrollBar()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int moves = c.moves->value();
        const int stays = c.stays->value();
        QWidget* image = page(0);
        // Where the wheel over the picture ends up: the picture passes it on to the view
        // (Qt passes on only the window system's own events, not those a test sends).
        QWidget* view = area->viewport();
        const QPointF at = view->rect().center();
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          c.modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(image, &wheel);
        EXPECT_FALSE(wheel.isAccepted()) << "the picture keeps the wheel to itself";
        QCoreApplication::sendEvent(view, &wheel);
        EXPECT_GT(c.moves->value(), moves);
        EXPECT_EQ(c.stays->value(), stays);
        EXPECT_EQ(tabs->mapTo(form.get(), QPoint(0, 0)), tabsAt);
        EXPECT_FALSE(tabs->visibleRegion().isEmpty());
    }
}

TEST_F(WindowTest, LongTabTitlesKeepTheirEndsAndAllTabsShow) {
    const QStringList names{QStringLiteral("holiday_at_the_seaside_with_grandmother.jpg"),
                            QStringLiteral("the_cat_sleeping_on_the_warm_windowsill.png"),
                            QStringLiteral("a_very_long_name_for_a_small_picture.bmp")};
    QStringList paths;
    for (const QString& name : names)
        paths.append(picture(name, 600, 400));
    drop(paths);
    auto* bar = qobject_cast<TPageTabBar*>(form->PageControl1->tabBar());
    ASSERT_NE(bar, nullptr);
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        const QString shown = bar->shownTitle(i);
        EXPECT_LT(shown.size(), names[i].size()) << "not elided";
        EXPECT_TRUE(shown.startsWith(names[i].left(1))) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(names[i].right(4))) << shown.toStdString();
        EXPECT_LE(bar->tabRect(i).right(), bar->width());
    }
    for (auto* arrow : bar->findChildren<QToolButton*>())
        EXPECT_FALSE(arrow->isVisible()) << "scroll arrows";
}

// Names are cut only when the row is full: a page or two with room to spare show whole.
TEST_F(WindowTest, TabTitlesThatFitShowWholeWithoutArrows) {
    const QStringList names{QStringLiteral("big.png"), QStringLiteral("seaside.jpg")};
    auto* bar = qobject_cast<TPageTabBar*>(form->PageControl1->tabBar());
    ASSERT_NE(bar, nullptr);
    for (int count = 1; count <= names.size(); ++count) {
        drop({picture(names[count - 1], 600, 400)});
        QCoreApplication::processEvents();
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(bar->shownTitle(i), names[i]) << count;
        for (auto* arrow : bar->findChildren<QToolButton*>())
            EXPECT_FALSE(arrow->isVisible()) << "scroll arrows with " << count;
    }
}

TEST_F(WindowTest, TheTitleNamesTheActivePagesFile) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Pintabel"));
    drop({picture(QStringLiteral("cat.jpg"), 60, 40), picture(QStringLiteral("dog.png"), 60, 40)});
    const struct {
        std::function<void()> act;
        const char* title;
    } steps[] = {
        {[] {}, "dog.png – Pintabel"},
        {[this] { form->PageControl1->setCurrentIndex(0); }, "cat.jpg – Pintabel"},
        {[this] { form->Close1->trigger(); }, "dog.png – Pintabel"},
        {[this] { form->Close1->trigger(); }, "Pintabel"},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(form->windowTitle(), QString::fromUtf8(step.title));
    }
}

TEST_F(WindowTest, CtrlTabAndCtrlPageKeysSwitchTabsGoingRound) {
    drop({picture(QStringLiteral("a.png"), 60, 40), picture(QStringLiteral("b.png"), 60, 40),
          picture(QStringLiteral("c.png"), 60, 40)});
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int active;
    } presses[] = {
        {Qt::Key_Tab, Qt::ControlModifier, 0},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2},
        {Qt::Key_PageUp, Qt::ControlModifier, 1},
        {Qt::Key_PageDown, Qt::ControlModifier, 2},
        {Qt::Key_PageDown, Qt::ControlModifier, 0},
    };
    for (const auto& press : presses) {
        QTest::keyClick(form.get(), press.key, press.modifiers);
        EXPECT_EQ(form->PageControl1->currentIndex(), press.active);
    }
    // A tab the user chose by key is sized like one chosen by mouse.
    EXPECT_EQ(pageArea(), QSize(300, 200));
}

// What the user does to the pages before closing the window.
enum class Step { Convert, FirstTab, Lighten, SaveAsBmp, OverwriteSave, Undo };

struct CloseCase {
    const char* name;
    std::vector<Step> steps; // on the pages b.png and a.png (active)
    int unsaved;
    const char* names = ""; // of the unsaved pages, a line each
};

class CloseWithUnsavedPages : public FormTest, public ::testing::WithParamInterface<CloseCase> {
protected:
    void perform(Step step) {
        switch (step) {
        case Step::Convert:
            form->N4->trigger();
            break;
        case Step::FirstTab:
            form->PageControl1->setCurrentIndex(0);
            break;
        case Step::Lighten:
            form->N9->trigger();
            break;
        case Step::SaveAsBmp:
            prompts.filesToSave.append(folder.filePath(QStringLiteral("lines.bmp")));
            form->SaveAs1->trigger();
            break;
        case Step::OverwriteSave:
            form->Save1->trigger();
            break;
        case Step::Undo:
            form->N6->trigger();
            break;
        }
    }
};

TEST_P(CloseWithUnsavedPages, AsksOnceNamingHowManyAndCancelKeepsAllOpen) {
    const CloseCase& c = GetParam();
    const std::function<void()> closings[] = {[this] { form->Exit1->trigger(); },
                                              [this] { form->close(); }};
    for (const auto& closeWindow : closings) {
        form = std::make_unique<TForm1>(prompts);
        form->show();
        drop({picture(QStringLiteral("b.png"), 30, 30), picture(QStringLiteral("a.png"), 30, 30)});
        prompts.answer = [](const QString&) { return true; };
        for (Step step : c.steps)
            perform(step);
        ASSERT_TRUE(prompts.errors.isEmpty());
        prompts.questions.clear();
        prompts.answer = [](const QString&) { return false; };
        closeWindow();
        if (c.unsaved == 0) {
            EXPECT_TRUE(prompts.questions.isEmpty());
            EXPECT_FALSE(form->isVisible());
            continue;
        }
        EXPECT_EQ(prompts.questions,
                  QStringList{QStringLiteral("変更を保存していない画面が %1 画面あります。\r\n"
                                             "%2\r\n終了しますか？")
                                  .arg(c.unsaved)
                                  .arg(QString::fromUtf8(c.names))});
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->Store.PageCount, 2);
        prompts.answer = [](const QString&) { return true; };
        closeWindow();
        EXPECT_FALSE(form->isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseWithUnsavedPages,
    ::testing::Values(
        CloseCase{"OnlyLoaded", {}, 0}, CloseCase{"OneConverted", {Step::Convert}, 1, "a.png"},
        CloseCase{
            "BothChanged", {Step::Convert, Step::FirstTab, Step::Lighten}, 2, "b.png\r\na.png"},
        CloseCase{"ConvertedThenSavedAs", {Step::Convert, Step::SaveAsBmp}, 0},
        CloseCase{"ConvertedThenOverwriteSaved", {Step::Convert, Step::OverwriteSave}, 0},
        CloseCase{"SavedThenUndone", {Step::Convert, Step::OverwriteSave, Step::Undo}, 1, "a.png"},
        CloseCase{"ConvertedThenUndone", {Step::Convert, Step::Undo}, 0}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

// Past ten unsaved pages the question names ten and says how many more there are.
TEST_F(WindowTest, ExitNamesTenUnsavedPagesAndCountsTheRest) {
    QStringList paths;
    for (int i = 1; i <= 12; ++i)
        paths.append(picture(QStringLiteral("p%1.png").arg(i), 8, 8, qRgb(90, 90, 90)));
    drop(paths);
    for (int i = 0; i < 12; ++i) {
        form->PageControl1->setCurrentIndex(i);
        form->N9->trigger();
    }
    prompts.answer = [](const QString&) { return false; };
    form->Exit1->trigger();
    ASSERT_EQ(prompts.questions.size(), 1);
    // Enter keeps the window open.
    EXPECT_EQ(prompts.questionDefaults, QList{Prompts::Default::Cancel});
    const QStringList lines = prompts.questions[0].split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[1], QStringLiteral("p1.png"));
    EXPECT_EQ(lines[10], QStringLiteral("p10.png"));
    EXPECT_EQ(lines[11], QStringLiteral("ほか 2 画面"));
    EXPECT_TRUE(form->isVisible());
}

} // namespace
