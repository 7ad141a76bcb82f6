// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "crayon_palette.h"

#include "app_error.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Everyday crayon colours. A larger box begins with the smaller one, so a colour keeps its
// number from box to box.
const CrayonColour kCrayons[] = {
    {220, 30, 40, QStringLiteral("red")},          {250, 130, 30, QStringLiteral("orange")},
    {250, 220, 20, QStringLiteral("yellow")},      {40, 150, 60, QStringLiteral("green")},
    {30, 90, 200, QStringLiteral("blue")},         {120, 60, 160, QStringLiteral("purple")},
    {130, 80, 40, QStringLiteral("brown")},        {30, 30, 30, QStringLiteral("black")},
    {255, 255, 255, QStringLiteral("white")},      {245, 150, 190, QStringLiteral("pink")},
    {100, 185, 235, QStringLiteral("sky blue")},   {160, 205, 60, QStringLiteral("yellow green")},
    {135, 135, 135, QStringLiteral("grey")},       {205, 205, 200, QStringLiteral("light grey")},
    {20, 95, 50, QStringLiteral("dark green")},    {25, 40, 100, QStringLiteral("navy blue")},
    {200, 160, 110, QStringLiteral("tan")},        {250, 200, 165, QStringLiteral("peach")},
    {135, 20, 35, QStringLiteral("dark red")},     {200, 40, 140, QStringLiteral("magenta")},
    {40, 175, 170, QStringLiteral("turquoise")},   {180, 160, 220, QStringLiteral("lavender")},
    {120, 120, 40, QStringLiteral("olive green")}, {80, 50, 30, QStringLiteral("dark brown")},
};
const int kBoxSizes[] = {8, 12, 24};

QString boxName(int size) {
    return QStringLiteral("crayons-%1").arg(size);
}

EAppError lineError(const QString& fileName, int line, const QString& what) {
    return EAppError(QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(what));
}

} // namespace

CrayonPalette parseGimpPalette(const QByteArray& text, const QString& fileName) {
    const QList<QByteArray> lines = text.split('\n');
    const auto trimmed = [&lines](qsizetype i) {
        QString line = QString::fromUtf8(lines[i]).trimmed();
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        return line;
    };
    if (lines.isEmpty() || trimmed(0) != QLatin1String("GIMP Palette"))
        throw lineError(fileName, 1,
                        QCoreApplication::translate(
                            "CrayonPalette", "GIMP のパレットではありません（1 行目が \"GIMP "
                                             "Palette\" ではありません）。"));
    CrayonPalette palette;
    static const QRegularExpression row(
        QStringLiteral("^(\\d+)\\s+(\\d+)\\s+(\\d+)(?:\\s+(.*))?$"));
    int lastLine = 1;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = trimmed(i);
        const int number = int(i) + 1;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        lastLine = number;
        if (palette.colours.empty() && line.startsWith(QLatin1String("Name:"))) {
            palette.name = line.mid(5).trimmed();
            continue;
        }
        if (palette.colours.empty() && line.startsWith(QLatin1String("Columns:")))
            continue;
        const QRegularExpressionMatch match = row.match(line);
        if (!match.hasMatch())
            throw lineError(
                fileName, number,
                QCoreApplication::translate("CrayonPalette",
                                            "色の行は「赤 緑 青 名前」の形で書いてください: %1")
                    .arg(line));
        CrayonColour colour;
        unsigned char* channels[] = {&colour.red, &colour.green, &colour.blue};
        for (int c = 0; c < 3; ++c) {
            bool ok = false;
            const int value = match.captured(c + 1).toInt(&ok);
            if (!ok || value > 255)
                throw lineError(fileName, number,
                                QCoreApplication::translate(
                                    "CrayonPalette", "色の値 %1 は 0 から 255 までではありません。")
                                    .arg(match.captured(c + 1)));
            *channels[c] = static_cast<unsigned char>(value);
        }
        colour.name = match.captured(4).trimmed();
        if (colour.name.isEmpty())
            colour.name = QStringLiteral("#%1%2%3")
                              .arg(colour.red, 2, 16, QLatin1Char('0'))
                              .arg(colour.green, 2, 16, QLatin1Char('0'))
                              .arg(colour.blue, 2, 16, QLatin1Char('0'));
        if (int(palette.colours.size()) == kMostPaletteColours)
            throw lineError(
                fileName, number,
                QCoreApplication::translate("CrayonPalette", "パレットの色は %1 色までです。")
                    .arg(kMostPaletteColours));
        palette.colours.push_back(colour);
    }
    if (int(palette.colours.size()) < kFewestPaletteColours)
        throw lineError(
            fileName, lastLine,
            QCoreApplication::translate("CrayonPalette", "パレットには色が %1 色以上必要です。")
                .arg(kFewestPaletteColours));
    return palette;
}

QStringList builtInPaletteNames() {
    QStringList names;
    for (const int size : kBoxSizes)
        names.append(boxName(size));
    return names;
}

CrayonPalette choosePalette(const QString& fileOrName) {
    if (QFileInfo::exists(fileOrName) || fileOrName.contains(QLatin1Char('/')) ||
        fileOrName.endsWith(QLatin1String(".gpl"), Qt::CaseInsensitive)) {
        QFile file(fileOrName);
        if (!file.open(QIODevice::ReadOnly))
            throw EAppError(
                QCoreApplication::translate("CrayonPalette", "パレット %1 を読めません: %2")
                    .arg(fileOrName, file.errorString()));
        // 256 short rows and their comments: anything far larger is not a palette, and is
        // not read whole into memory.
        QByteArray text = file.read(1 << 20);
        if (!file.atEnd())
            text = QByteArrayLiteral("too large");
        CrayonPalette palette = parseGimpPalette(text, fileOrName);
        palette.source = fileOrName;
        return palette;
    }
    for (const int size : kBoxSizes)
        if (fileOrName == boxName(size)) {
            CrayonPalette palette;
            palette.name = fileOrName;
            palette.source = fileOrName;
            palette.colours.assign(std::begin(kCrayons), std::begin(kCrayons) + size);
            return palette;
        }
    throw EAppError(QCoreApplication::translate(
                        "CrayonPalette",
                        "パレット %1 はありません。組み込みのパレットは %2 です（GIMP の .gpl "
                        "ファイルも指定できます）。")
                        .arg(fileOrName, builtInPaletteNames().join(QStringLiteral(", "))));
}
