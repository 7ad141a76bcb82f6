// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later
// pintabel-metafile MAX_BYTES: draws the metafile read from standard input and writes the
// picture to standard output, as files/metafile_process.h describes. Started by the
// window and the tool, not by people.
#include "metafile.h"
#include "metafile_process.h"

#include <QFile>
#include <QGuiApplication>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// Only the picture goes to standard output and only real failures to standard error,
// which the parent passes on: Qt's notes about the child's bare surroundings are dropped.
void dropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "pintabel-metafile: %s\n", qPrintable(message));
}

int draw(qint64 maxBytes) {
    QFile in;
    QFile out;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly))
        return MetafileExitUnreadable;
    bool tooLarge = false;
    QImage image;
    try {
        image = renderMetafile(in.readAll(), maxBytes, tooLarge);
    } catch (const std::bad_alloc&) {
        return MetafileExitTooLarge;
    }
    if (tooLarge)
        return MetafileExitTooLarge;
    if (image.isNull())
        return MetafileExitUnreadable;
    char head[8];
    qToLittleEndian(quint32(image.width()), head);
    qToLittleEndian(quint32(image.height()), head + 4);
    bool written = out.write(head, 8) == 8;
    const qint64 rowBytes = qint64(image.width()) * 4;
    for (int y = 0; written && y < image.height(); ++y)
        written =
            out.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) == rowBytes;
    return written && out.flush() ? MetafileExitDrawn : MetafileExitUnreadable;
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(dropQtNotes);
    if (argc != 2)
        return MetafileExitUnreadable;
    const qint64 maxBytes = std::strtoll(argv[1], nullptr, 10);
    // Drawing with QPainter and QtSvg needs a GUI application, though no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return draw(maxBytes);
}
