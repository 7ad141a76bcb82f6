// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "palette_choice.h"

#include "app_error.h"
#include "kept_settings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// The entry that asks for a file carries no palette of its own.
const QString kFromFile = QStringLiteral("\x1F"
                                         "from file");
const QString kSetting = QStringLiteral("colourByNumber/palette");

PaletteChoice::Asking defaultAsking() {
    return {[](QWidget* parent) {
                return QFileDialog::getOpenFileName(
                    parent, QCoreApplication::translate("PaletteChoice", "パレットを開く"), {},
                    QCoreApplication::translate("PaletteChoice", "GIMP パレット (*.gpl)"));
            },
            [](QWidget* parent, const QString& why) {
                QMessageBox::warning(parent,
                                     QCoreApplication::translate("PaletteChoice", "パレット"), why);
            }};
}

} // namespace

PaletteChoice::PaletteChoice(const QString& given, QWidget* parent)
    : QComboBox(parent), m_asking(defaultAsking()) {
    setObjectName(QStringLiteral("palette"));
    addItem(tr("写真の色"), QString());
    for (const QString& name : builtInPaletteNames())
        addItem(name, name);
    addItem(tr("ファイルから..."), kFromFile);
    const QString source = given.isEmpty() ? KeptSettings().value(kSetting).toString() : given;
    if (!source.isEmpty()) {
        try {
            show(choosePalette(source));
        } catch (const EAppError&) {
        }
    }
    m_previous = currentIndex();
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (itemData(index).toString() == kFromFile)
            pickFile();
        m_previous = currentIndex();
    });
}

std::optional<CrayonPalette> PaletteChoice::palette() const {
    const QString source = currentData().toString();
    if (source.isEmpty() || source == kFromFile)
        return std::nullopt;
    if (const auto file = m_files.constFind(source); file != m_files.constEnd())
        return *file;
    return choosePalette(source);
}

void PaletteChoice::keep() const {
    KeptSettings().setValue(
        kSetting, currentData().toString() == kFromFile ? QString() : currentData().toString());
}

void PaletteChoice::show(const CrayonPalette& palette) {
    int index = findData(palette.source);
    if (index < 0) {
        // Files are listed above the entry that picks another.
        m_files.insert(palette.source, palette);
        const QString caption =
            palette.name.isEmpty() ? QFileInfo(palette.source).fileName() : palette.name;
        index = count() - 1;
        insertItem(index, caption, palette.source);
        setItemData(index, palette.source, Qt::ToolTipRole);
    }
    setCurrentIndex(index);
}

void PaletteChoice::pickFile() {
    // Until a palette is read, the choice stays what it was.
    setCurrentIndex(m_previous);
    const QString name = m_asking.fileName(this);
    if (name.isEmpty())
        return;
    try {
        show(choosePalette(QFileInfo(name).absoluteFilePath()));
    } catch (const EAppError& error) {
        m_asking.refuse(this, error.message());
    }
}
