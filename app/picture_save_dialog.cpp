// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_save_dialog.h"

#include <QRegularExpression>

PictureSaveDialog::PictureSaveDialog(const QString& directory, const QString& fileName,
                                     const QString& defaultSuffix, const QString& filter,
                                     QWidget* parent)
    : QFileDialog(parent) {
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(filter);
    setDefaultSuffix(defaultSuffix);
    if (!directory.isEmpty())
        setDirectory(directory);
    selectFile(fileName);
    connect(this, &QFileDialog::filterSelected, this, &PictureSaveDialog::followFileType);
}

QString PictureSaveDialog::chosenFile() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

// The type is read again here because a filter chosen by the program, not the user, sends
// no signal; the dialog's question about replacing a file needs the final name.
void PictureSaveDialog::accept() {
    followFileType(selectedNameFilter());
    QFileDialog::accept();
}

void PictureSaveDialog::followFileType(const QString& filter) {
    const QString extension = filterExtension(filter);
    if (!extension.isEmpty())
        setDefaultSuffix(extension);
}

QString filterExtension(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}
