// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "busy_cursor.h"
#include "page_image.h"
#include "page_scroll_area.h"
#include "prompts.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The name part of a path: the text after its last separator (the host's separators,
// with the drive colon on Windows).
QString fileNamePart(const QString& path) {
#ifdef Q_OS_WIN
    const int cut =
        std::max({path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')),
                  path.lastIndexOf(QLatin1Char(':'))});
#else
    const int cut = int(path.lastIndexOf(QLatin1Char('/')));
#endif
    return path.mid(cut + 1);
}

// Sets a flag for the lifetime of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_old; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

TPageImage* TForm1::CreateImage(int Index, const QString& FileName) {
    Q_ASSERT(Index >= 0 && Index < PageStore::Capacity);
    // The picture is loaded before anything of the page exists: a file that cannot be
    // read, or that fails for lack of memory, leaves no tab and no slot behind.
    Bitmap bitmap;
    bool loaded = false;
    {
        const BusyCursor loading;
        loaded = m_loader(FileName, bitmap);
    }
    if (!loaded) {
        m_unreadable.append(FileName);
        return nullptr;
    }

    FlagScope programmatic(m_changingTabs);
    Image1->hide();
    PageControl1->hide();
    auto* sheet = new QWidget;
    PageControl1->addTab(sheet, fileNamePart(FileName));
    setTabImageIndex(sheet, 1);
    auto* view = new TPageScrollArea(sheet);
    auto* image = new TPageImage;
    view->setWidget(image);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    connect(image, &TPageImage::clicked, this, [this] { run([this] { FormClick(); }); });
    Store.PageSheets[size_t(Index)] = sheet;
    Store.PageImages[size_t(Index)] = image;
    image->setPicture(bitmap);
    image->markSaved();
    Store.PageFileNames[size_t(Index)] = FileName;

    setPageCommandsEnabled(true);
    PageControl1->setCurrentWidget(sheet);
    PageControl1->show();
    Store.HasPage = true;
    image->repaint();
    image->show();
    return image;
}

void TForm1::Close_ON() {
    // The page a pixel loop works on must not go away under it.
    if (refusedWhileLoopRuns())
        return;
    if (!m_prompts.confirm(tr("この画面を消去しますか？"), Prompts::Default::Ok))
        return;
    const int k = activePage();
    const int c = PageControl1->count();
    if (k < 0)
        return;
    FlagScope programmatic(m_changingTabs);
    QWidget* sheet = PageControl1->widget(k);
    Store.removeSlot(k, c);
    PageControl1->removeTab(k);
    delete sheet;
    // The tab after the closed one becomes active, or the first when it was the last.
    if (PageControl1->count() > 0)
        PageControl1->setCurrentIndex(k < PageControl1->count() ? k : 0);
    Store.PageCount = PageControl1->count();
    if (PageControl1->count() == 0) {
        setPageCommandsEnabled(false);
        Store.PageCount = 0;
        showStartSize();
        PageControl1->hide();
        Image1->show();
    }
}

void TForm1::Undo_Click() {
    if (!canReplaceActivePage())
        return;
    const int k = activePage();
    if (!Store.UndoImages[size_t(k)])
        return;
    TPageImage* image = Store.PageImages[size_t(k)];
    image->setPicture(*Store.UndoImages[size_t(k)], Store.UndoLines[size_t(k)]);
    image->repaint();
    image->show();
}
