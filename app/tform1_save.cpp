// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "file_names.h"
#include "page_image.h"
#include "picture_saver.h"
#include "prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>

void TForm1::SaveAs1Click() {
    const int slot = activePage();
    if (!activeImage())
        return;
    const QString& source = Store.PageFileNames[size_t(slot)];
    const QString name =
        m_prompts.saveFileName(SaveDialogDirectory(source), GetName(source), QStringLiteral("jpg"),
                               tr("JPEG イメージファイル (*.jpg);;ビットマップ (*.bmp)"));
    if (name.isEmpty())
        return;
    switch (SaveFormatOf(name)) {
    case SaveFormat::Jpeg:
        Save4Jpeg(name);
        break;
    case SaveFormat::Bmp:
        SavePicture(activeImage()->picture(), name, SaveFormat::Bmp);
        activeImage()->markSaved();
        break;
    case SaveFormat::Png: // not a Save As format
    case SaveFormat::Unsupported:
        m_prompts.inform(unsupportedSaveFormatMessage());
        break;
    }
}

void TForm1::Save_OverWrite() {
    const int slot = activePage();
    if (!activeImage())
        return;
    // The page keeps the name it was loaded from, also after Save As: the question names
    // the file that is about to be replaced.
    const QString& source = Store.PageFileNames[size_t(slot)];
    const QString target =
        QDir::toNativeSeparators(QFileInfo(JpegFileName(source)).absoluteFilePath());
    if (!m_prompts.confirm(
            tr("画像をjpegで上書きしますか？\r\n 注意：同じファイル名は上書きします。\r\n%1")
                .arg(target)))
        return;
    Save4Jpeg(source);
}

void TForm1::Save4Jpeg(const QString& path) {
    if (TPageImage* image = activeImage()) {
        SavePicture(image->picture(), path, SaveFormat::Jpeg);
        image->markSaved();
    }
}
