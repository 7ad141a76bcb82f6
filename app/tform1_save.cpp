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
    const QFileInfo target(SavedFileName(source, SaveFormat::Jpeg));
    QString question =
        tr("画像をjpegで上書きしますか？\r\n 注意：同じファイル名は上書きします。\r\n%1")
            .arg(QDir::toNativeSeparators(target.absoluteFilePath()));
    // A page from cat.png beside another photo cat.jpg would replace that photo.
    if (target.exists() && target.canonicalFilePath() != QFileInfo(source).canonicalFilePath())
        question +=
            QStringLiteral("\r\n") +
            tr("このファイルは読み込んだ画像とは別のファイルです。置き換えると元に戻せません。");
    if (!m_prompts.confirm(question, Prompts::Default::Cancel))
        return;
    Save4Jpeg(source);
}

void TForm1::Save4Jpeg(const QString& path) {
    if (TPageImage* image = activeImage()) {
        SavePicture(image->picture(), path, SaveFormat::Jpeg);
        image->markSaved();
    }
}

bool TForm1::mayReplace(const QString& name) {
    return !QFileInfo::exists(name) ||
           m_prompts.confirm(tr("\"%1\" はすでにあります。\r\n置き換えますか？")
                                 .arg(QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath())),
                             Prompts::Default::Cancel);
}
