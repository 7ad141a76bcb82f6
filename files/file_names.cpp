// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "file_names.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/' || c == u':';
#else
    return c == u'/';
#endif
}

qsizetype lastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i]))
            return i;
    return -1;
}

// Where the extension of the last component starts, or -1.
qsizetype extensionStart(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > lastSeparator(path) ? dot : -1;
}

} // namespace

QString GetName(const QString& path) {
    const QString name = path.mid(lastSeparator(path) + 1);
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString SaveDialogDirectory(const QString& path) {
    const qsizetype separator = lastSeparator(path);
    if (separator < 0)
        return QString();
    const bool root = separator == 0 || isSeparator(path[separator - 1]);
    return path.left(root ? separator + 1 : separator);
}

QString UpperExtension(const QString& path) {
    const qsizetype start = extensionStart(path);
    QString extension = start < 0 ? QString() : path.mid(start);
    for (QChar& c : extension)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return extension;
}

QString JpegFileName(const QString& path) {
    const qsizetype start = extensionStart(path);
    return (start < 0 ? path : path.left(start)) + QStringLiteral(".jpg");
}

QString ExistingSpelling(const QString& path) {
    const qsizetype start = extensionStart(path);
    if (start < 0 || QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString stem = info.fileName().left(info.fileName().size() - (path.size() - start));
    const QString extension = UpperExtension(path);
    // No name filter: a stem holding "[" or "*" would be read as a pattern.
    const QStringList candidates =
        QDir(info.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& candidate : candidates)
        if (candidate.size() == info.fileName().size() && candidate.startsWith(stem) &&
            UpperExtension(candidate) == extension)
            return path.left(path.size() - info.fileName().size()) + candidate;
    return path;
}
