// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QFileDialog>

class QLabel;

// The open-picture dialog: one existing file or several, with a preview of the selected
// picture beside the file list. It starts in the folder it last opened files from, also in
// a later run.
class PictureOpenDialog : public QFileDialog {
    Q_OBJECT
public:
    PictureOpenDialog(const QString& filter, QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    void showPreview(const QString& path);

    QLabel* m_preview = nullptr;
};
