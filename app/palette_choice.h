// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "crayon_palette.h"

#include <QComboBox>
#include <QHash>

#include <functional>
#include <optional>

// Which colours a colour-by-number page is numbered from: the photo's own, a built-in box of
// crayons, or a GIMP palette file picked with "ファイルから..." (From file...). A file is
// read when it is picked, so a broken one is refused there and then, and the choice goes
// back to what it was. Both dialogs that number pages keep one choice between runs.
class PaletteChoice : public QComboBox {
    Q_OBJECT
public:
    // Asks for a palette file (an empty name: the user cancelled), and says why one was
    // refused. The default ones show Qt's file dialog and a warning box.
    struct Asking {
        std::function<QString(QWidget*)> fileName;
        std::function<void(QWidget*, const QString&)> refuse;
    };

    // Shows the palette given (a built-in set's name or a file's path), or else the choice
    // kept from the last time; a file that has gone or broken since shows the photo's colours.
    PaletteChoice(const QString& given, QWidget* parent);

    void setAsking(Asking asking) { m_asking = std::move(asking); }
    // The photo's own colours give none.
    std::optional<CrayonPalette> palette() const;
    // Keeps the choice for the next time, in either dialog that numbers pages.
    void keep() const;

private:
    void show(const CrayonPalette& palette);
    void pickFile();

    Asking m_asking;
    // Files read, by path: each is read once, when picked or shown again.
    QHash<QString, CrayonPalette> m_files;
    int m_previous = 0;
};
