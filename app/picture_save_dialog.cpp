#include "picture_save_dialog.h"

PictureSaveDialog::PictureSaveDialog(const QString& directory, const QString& fileName,
                                     const QString& defaultSuffix, const QString& filter,
                                     QWidget* parent)
    : QFileDialog(parent) {
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::DontConfirmOverwrite, true);
    setNameFilter(filter);
    setDefaultSuffix(defaultSuffix);
    if (!directory.isEmpty())
        setDirectory(directory);
    selectFile(fileName);
}

QString PictureSaveDialog::chosenFile() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
