#pragma once

#include <QFileDialog>

// The save-picture dialog: one file, named by the user, in a folder that starts where the
// page came from. It never asks before replacing a file; the caller decides what to write.
class PictureSaveDialog : public QFileDialog {
    Q_OBJECT
public:
    // directory empty: the dialog opens where Qt chooses. defaultSuffix is added to a name
    // typed without an extension; filter is in Qt's syntax, its first entry selected.
    PictureSaveDialog(const QString& directory, const QString& fileName,
                      const QString& defaultSuffix, const QString& filter,
                      QWidget* parent = nullptr);
    QString chosenFile() const;
};
