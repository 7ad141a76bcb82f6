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

#include <algorithm>
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

// Rows are drawn and sent a band at a time, so the child never holds the whole picture
// while its parent receives it: a band is at most this many bytes.
constexpr qint64 kBandBytes = qint64(64) << 20;

int draw(qint64 maxBytes) {
    QFile in;
    QFile out;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly))
        return MetafileExitUnreadable;
    try {
        const MetafileDrawing drawing(in.readAll(), maxBytes);
        if (drawing.tooLarge())
            return MetafileExitTooLarge;
        if (!drawing.isValid())
            return MetafileExitUnreadable;
        const QSize size = drawing.size();
        const qint64 rowBytes = qint64(size.width()) * 4;
        QImage band(size.width(), int(std::clamp<qint64>(kBandBytes / rowBytes, 1, size.height())),
                    QImage::Format_RGB32);
        if (band.isNull())
            return MetafileExitTooLarge;
        char head[8];
        qToLittleEndian(quint32(size.width()), head);
        qToLittleEndian(quint32(size.height()), head + 4);
        if (out.write(head, 8) != 8)
            return MetafileExitUnreadable;
        for (int top = 0; top < size.height(); top += band.height()) {
            drawing.drawRows(band, top);
            for (int y = 0; y < band.height() && top + y < size.height(); ++y)
                if (out.write(reinterpret_cast<const char*>(band.constScanLine(y)), rowBytes) !=
                    rowBytes)
                    return MetafileExitUnreadable;
        }
        return out.flush() ? MetafileExitDrawn : MetafileExitUnreadable;
    } catch (const std::bad_alloc&) {
        return MetafileExitTooLarge;
    }
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
