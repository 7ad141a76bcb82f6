// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QFileDialog>

// The save-picture dialog: one file, named by the user, in a folder that starts where the
// page came from. It asks before an existing file is replaced.
class PictureSaveDialog : public QFileDialog {
    Q_OBJECT
public:
    // directory empty: the dialog opens where Qt chooses. A name typed without an
    // extension gets that of the chosen file type (defaultSuffix until one is chosen);
    // filter is in Qt's syntax, its first entry selected.
    PictureSaveDialog(const QString& directory, const QString& fileName,
                      const QString& defaultSuffix, const QString& filter,
                      QWidget* parent = nullptr);
    QString chosenFile() const;

public slots:
    void accept() override;

private:
    void followFileType(const QString& filter);
};

// The extension of a name filter's first pattern ("ビットマップ (*.bmp)" gives "bmp"), or an
// empty text when it names none.
QString filterExtension(const QString& filter);
