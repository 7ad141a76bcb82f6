// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "app_error.h"
#include "open_filter.h"
#include "prompts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <new>

namespace {

QStringList localFiles(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

} // namespace

void TForm1::File_Open_Nemu_ON() {
    if (Store.isFull()) {
        reportPagesNotOpened({}, {}, true);
        return;
    }
    static const QString filter =
        openPictureFilter(openPictureFilterEntries(registeredPictureFormats()));
    const QStringList paths = m_prompts.openFileNames(filter);
    if (!paths.isEmpty())
        openPages(paths);
}

void TForm1::WMDropFiles(const QStringList& paths) {
    openPages(paths);
}

void TForm1::openPages(const QStringList& paths) {
    m_unreadable.clear();
    QStringList errors;
    bool refused = false;
    bool created = false;
    for (const QString& path : paths) {
        if (Store.isFull()) {
            refused = true;
            break;
        }
        // A file that fails (no memory for it) costs that file only; the rest of the drop
        // goes on and the window is fitted and told once.
        try {
            if (!CreateImage(Store.PageCount, path))
                continue;
        } catch (const EAppError& error) {
            errors.append(error.message());
            continue;
        } catch (const std::bad_alloc&) {
            errors.append(outOfMemoryError().message());
            continue;
        }
        Store.HasPage = true;
        ++Store.PageCount;
        created = true;
    }
    if (created)
        FitWindowToPage(300);
    reportPagesNotOpened(m_unreadable, errors, refused);
}

void TForm1::reportPagesNotOpened(const QStringList& unreadable, const QStringList& errors,
                                  bool refusedForLack) {
    QStringList parts;
    if (!unreadable.isEmpty())
        parts.append(tr("次のファイルは画像として読み込めませんでした。\n%1")
                         .arg(unreadable.join(QLatin1Char('\n'))));
    parts += errors;
    if (!parts.isEmpty())
        m_prompts.warn(parts.join(QStringLiteral("\n\n")));
    if (refusedForLack)
        m_prompts.inform(
            tr("これ以上画面を開くことはできません（最大 %1 画面）。").arg(PageStore::Capacity));
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    run([this, paths] { WMDropFiles(paths); });
}

void TForm1::openCommandLine(const QStringList& arguments) {
    QStringList paths;
    for (const QString& argument : arguments) {
        // A file manager may name a file by its URL.
        const QUrl url(argument);
        paths.append(url.isLocalFile() ? url.toLocalFile()
                                       : QFileInfo(argument).absoluteFilePath());
    }
    if (!paths.isEmpty())
        run([this, paths] { WMDropFiles(paths); });
}
