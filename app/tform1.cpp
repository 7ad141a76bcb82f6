// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "busy_cursor.h"
#include "client_area.h"
#include "command_dispatch.h"
#include "image_loader.h"
#include "page_control.h"
#include "page_image.h"
#include "prompts.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

// Q_INIT_RESOURCE cannot stand inside a namespace; the resources live in a static library.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

const QColor FormColour(255, 255, 204);
constexpr int StatusBarHeight = 19;

QList<QIcon> iconList(const QString& folder, int count) {
    QList<QIcon> icons;
    for (int i = 0; i < count; ++i)
        icons.append(QIcon(QStringLiteral(":/icons/%1/%2.png").arg(folder).arg(i)));
    return icons;
}

QAction* separator(QObject* parent) {
    auto* action = new QAction(parent);
    action->setSeparator(true);
    return action;
}

} // namespace

TForm1::TForm1(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), QvPrintDialog1(prompts), QVPrinterSetupDialog1(prompts),
      m_prompts(prompts), m_loader(&ImageLoaderGP) {
    initResources();
    setWindowTitle(QStringLiteral("Pintabel"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/pintabel.ico")));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    ImageList1 = iconList(QStringLiteral("popup"), 6);
    ImageList2 = iconList(QStringLiteral("main"), 9);
    ImageList3 = iconList(QStringLiteral("tabs"), 2);

    createMenus();
    createPageArea();
    setOuterSize(QSize(InitialWidth, InitialHeight));
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::createMenus() {
    MainMenu1 = menuBar();
    File1 = MainMenu1->addMenu(tr("ファイル(&F)"));
    auto item = [this](const QString& caption, int icon) {
        auto* action = new QAction(ImageList2.value(icon), caption, this);
        File1->addAction(action);
        return action;
    };
    Open1 = item(tr("開く(&O)"), 5);
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Close1 = item(tr("消去"), 2);
    N3 = separator(this);
    File1->addAction(N3);
    Save1 = item(tr("上書き保存(&S)"), 0);
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = item(tr("名前を付けて保存(&A)..."), 1);
    Export1 = item(tr("書き出し(&E)..."), 1);
    N2 = separator(this);
    File1->addAction(N2);
    Print1 = item(tr("印刷"), 3);
    Print1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    PrintAll1 = item(tr("すべてのページを印刷..."), 3);
    N7 = item(tr("プリンタ設定"), 4);
    SaveBook1 = item(tr("塗り絵ブックをPDFで保存..."), 3);
    N1 = separator(this);
    File1->addAction(N1);
    About_Pintabel1 = item(tr("Pintabel..情報"), 7);
    Exit1 = item(tr("終了(&X)"), 8);
    for (QAction* action : {Close1, Save1, SaveAs1, Export1, Print1, PrintAll1, SaveBook1})
        action->setEnabled(false);

    PopupMenu1 = new QMenu(this);
    auto popupItem = [this](const QString& caption, int icon) {
        auto* action = new QAction(ImageList1.value(icon), caption, this);
        PopupMenu1->addAction(action);
        return action;
    };
    auto popupSeparator = [this] {
        QAction* action = separator(this);
        action->setEnabled(false);
        PopupMenu1->addAction(action);
        return action;
    };
    N4 = popupItem(tr("塗り絵に変換"), 0);
    CleanLines1 = popupItem(tr("線画に変換..."), 0);
    ColourByNumber1 = popupItem(tr("数字で塗り絵に変換..."), 0);
    N10 = popupSeparator();
    N9 = popupItem(tr("色を薄くする"), 3);
    N5 = popupItem(tr("色を濃くする"), 2);
    N11 = popupSeparator();
    N6 = popupItem(tr("元に戻す"), 1);
    N12 = popupSeparator();
    N13 = popupItem(tr("実物大で表示"), 4);
    N14 = popupItem(tr("標準サイズで表示"), 5);

    connectCommand(Open1, &TForm1::File_Open_Nemu_ON);
    connectCommand(Save1, &TForm1::Save_OverWrite);
    connectCommand(SaveAs1, &TForm1::SaveAs1Click);
    connectCommand(Export1, &TForm1::Export1Click);
    connectCommand(Close1, &TForm1::Close_ON);
    connectCommand(Exit1, &TForm1::Exit1Click);
    connectCommand(Print1, &TForm1::Printing);
    connectCommand(PrintAll1, &TForm1::PrintAll1Click);
    connectCommand(N7, &TForm1::PrintSetup1Click);
    connectCommand(SaveBook1, &TForm1::SaveBook1Click);
    connectCommand(About_Pintabel1, &TForm1::About_Pintabel1Click);
    connectCommand(N4, &TForm1::Change_Nurie, Busy);
    connectCommand(CleanLines1, &TForm1::convertToCleanLines, Busy);
    connectCommand(ColourByNumber1, &TForm1::convertToColourByNumber, Busy);
    connectCommand(N9, &TForm1::Egg_Plus_ON, Busy);
    connectCommand(N5, &TForm1::Egg_Minus_ON, Busy);
    connectCommand(N6, &TForm1::Undo_Click, Busy);
    connectCommand(N13, &TForm1::Zoom_Real_Size, Busy);
    connectCommand(N14, &TForm1::Smoll_Show, Busy);
}

void TForm1::createPageArea() {
    m_client = new TClientArea;
    m_client->setAutoFillBackground(true);
    m_client->setMinimumSize(MinimumClientWidth, 1);
    setCentralWidget(m_client);
    connect(m_client, &TClientArea::clicked, this, [this] { run([this] { FormClick(); }); });

    Image1 = new QLabel(m_client);
    // The placeholder's words are drawn in the picture: each language has a picture of its own.
    //: The resource of the placeholder picture in this language.
    Image1->setPixmap(QPixmap(tr(":/pictures/placeholder.png")));
    Image1->setAlignment(Qt::AlignCenter);
    // Clicks on the placeholder are its own; they are not clicks on the window.
    Image1->setAttribute(Qt::WA_NoMousePropagation);

    PageControl1 = new TPageControl(m_client);
    PageControl1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PageControl1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(PageControl1->mapToGlobal(at)); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        showActivePageInTitle();
        if (!m_changingTabs)
            run([this] { PageControl1Change(); });
    });
    const struct {
        QKeySequence keys;
        int step;
    } tabKeys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                   {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                   {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                   {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& key : tabKeys)
        connect(new QShortcut(key.keys, this), &QShortcut::activated, this,
                [this, step = key.step] { stepTab(step); });
    // A click on the tab row beside the tabs is not a click on the window's client area.
    PageControl1->setAttribute(Qt::WA_NoMousePropagation);
    // The keyboard's ways to the page's menu.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                &TForm1::showPopupFromKeyboard);

    StatusBar1 = statusBar();
    StatusBar1->setFixedHeight(StatusBarHeight);
}

void TForm1::FormCreate() {
    setAcceptDrops(true);
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, FormColour);
    m_client->setPalette(palette);
    Store.PageCount = 0;
    PageControl1->hide();
    StatusProgress = new QProgressBar(this);
    Store.Converting = false;
    Store.HasPage = false;
    StatusProgress->setParent(StatusBar1);
    StatusProgress->setStyleSheet(
        QStringLiteral("QProgressBar { border: none; background: palette(window); }"
                       "QProgressBar::chunk { background: rgb(0, 0, 255); }"));
    StatusProgress->setTextVisible(false);
    StatusProgress->setGeometry(0, 0, StatusBar1->width(), StatusBar1->height());
    StatusProgress->hide();
}

void TForm1::FormResize() {
    // The bar is created by FormCreate; a resize before that has nothing to adjust.
    if (StatusProgress)
        StatusProgress->resize(StatusBar1->width(), StatusProgress->height());
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The frame is known only once the window is on screen; the start-up size counts it.
    if (!m_shown) {
        m_shown = true;
        showStartSize();
    }
}

void TForm1::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager puts its frame around the window after it has been shown, and moves
    // the window into it; the start-up size counts that frame.
    if (m_startupSizePending && frameGeometry().size() != size()) {
        m_startupSizePending = false;
        showStartSize();
    }
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

QSize TForm1::outerSize() const {
    return frameGeometry().size();
}

void TForm1::setOuterSize(QSize size) {
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(size - frame);
}

void TForm1::showActivePageInTitle() {
    const int tab = PageControl1->currentIndex();
    const QString program = QStringLiteral("Pintabel");
    setWindowTitle(tab < 0 ? program
                           : PageControl1->tabText(tab) + QStringLiteral(" – ") + program);
}

void TForm1::stepTab(int step) {
    const int count = PageControl1->count();
    if (count > 1 && PageControl1->isVisible())
        PageControl1->setCurrentIndex((PageControl1->currentIndex() + step + count) % count);
}

void TForm1::setPageCommandsEnabled(bool enabled) {
    for (QAction* action :
         {N4, N9, N5, N6, N13, N14, Close1, Save1, SaveAs1, Export1, Print1, PrintAll1, SaveBook1})
        action->setEnabled(enabled);
}

void TForm1::setTabImageIndex(QWidget* sheet, int index) {
    const int tab = PageControl1->indexOf(sheet);
    if (tab < 0)
        return;
    sheet->setProperty("imageIndex", index);
    PageControl1->setTabIcon(tab, ImageList3.value(index));
}

int TForm1::tabImageIndex(int i) const {
    QWidget* sheet = PageControl1->widget(i);
    return sheet ? sheet->property("imageIndex").toInt() : -1;
}

int TForm1::activePage() const {
    return PageControl1->currentIndex();
}

TPageImage* TForm1::activeImage() const {
    const int p = activePage();
    return p >= 0 && p < PageStore::Capacity ? Store.PageImages[size_t(p)].data() : nullptr;
}

bool TForm1::refusedWhileLoopRuns() {
    if (!m_loops.anyRunning())
        return false;
    m_prompts.beep();
    return true;
}

// A running pixel loop keeps every page picture to itself until it ends.
bool TForm1::canReplaceActivePage() {
    return !refusedWhileLoopRuns() && activeImage();
}

void TForm1::connectCommand(QAction* action, void (TForm1::*command)(), Feedback feedback) {
    connect(action, &QAction::triggered, this, [this, command, feedback] {
        run([=] {
            if (feedback == Quick) {
                (this->*command)();
                return;
            }
            // On a large picture the work holds the window before it first lets messages
            // through: the menu must not stay drawn over the page meanwhile.
            PopupMenu1->hide();
            repaint();
            const BusyCursor busy;
            (this->*command)();
        });
    });
}

void TForm1::run(const std::function<void()>& command) {
    runCommand(m_prompts, command);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A pixel loop runs inside this very call stack: let it end first, abandoning a
    // conversion, and close when it has returned.
    if (m_loops.deferClose(Store)) {
        event->ignore();
        return;
    }
    if (!mayDiscardUnsavedPages()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

bool TForm1::mayDiscardUnsavedPages() {
    // Named by their tabs, as the user knows them; a long list would not fit on the screen.
    constexpr int kNamesShown = 10;
    QStringList names;
    int unsaved = 0;
    for (int i = 0; i < Store.PageCount; ++i)
        if (const TPageImage* image = Store.PageImages[size_t(i)];
            image && image->hasUnsavedChanges()) {
            if (++unsaved <= kNamesShown)
                names.append(PageControl1->tabText(i));
        }
    if (unsaved == 0)
        return true;
    if (unsaved > kNamesShown)
        names.append(tr("ほか %1 画面").arg(unsaved - kNamesShown));
    return m_prompts.confirm(
        tr("変更を保存していない画面が %1 画面あります。\r\n%2\r\n終了しますか？")
            .arg(unsaved)
            .arg(names.join(QLatin1String("\r\n"))),
        Prompts::Default::Cancel);
}
