// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "picture_open_dialog.h"

#include "input_file.h"
#include "jpeg_decoder.h"
#include "jpeg_markers.h"
#include "kept_settings.h"
#include "picture_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QTreeView>

#include <exception>
#include <optional>

namespace {

constexpr int PreviewSide = 160;
// Pictures above this are not decoded at full size for a preview on the window's thread.
constexpr qint64 kPreviewFullDecodePixels = 4'000'000;
// A JPEG whose decoder would hold more than this (progressive coefficients) gets none.
constexpr qint64 kPreviewJpegWorkingBytes = qint64(64) << 20;
// Room for the file list's name, size, type and date columns beside the preview.
const QSize DialogSize(900, 520);
const QString kLastFolder = QStringLiteral("open/lastFolder");

// A small preview of the program's raster formats, or a null image. Metafiles and large
// pictures that cannot be decoded at a reduced size are not previewed: the preview runs
// on the window's thread while the user browses.
QImage previewImage(const QString& path) {
    QFile file;
    if (!openRegularFile(QFile::encodeName(path), file))
        return QImage();
    const PictureFormat format = pictureFormatOf(file.peek(kFormatProbeBytes));
    const char* name = qtFormatName(format);
    if (!name)
        return QImage();
    if (format == PictureFormat::Jpeg) {
        const std::optional<JpegHeader> header = readJpegHeader(file.peek(256 * 1024));
        if (!header || header->workingBytes > kPreviewJpegWorkingBytes)
            return QImage();
        // Scans past the first bytes count too: a scaled preview passes over every one.
        if (const uchar* bytes = file.map(0, file.size())) {
            const qsizetype size = qsizetype(file.size());
            const bool tooMany =
                jpegScanCount(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), size)) >
                kMaxJpegScans;
            file.unmap(const_cast<uchar*>(bytes));
            if (tooMany)
                return QImage();
        }
    }
    QImageReader reader(&file, name);
    reader.setAutoDetectImageFormat(false);
    // Upright, as the page will be.
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return QImage();
    if (size.width() > PreviewSide || size.height() > PreviewSide) {
        // Only JPEG decodes straight to a smaller size; the others would decode it all.
        if (format != PictureFormat::Jpeg &&
            qint64(size.width()) * size.height() > kPreviewFullDecodePixels)
            return QImage();
        reader.setScaledSize(size.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio));
    }
    return reader.read();
}

} // namespace

PictureOpenDialog::PictureOpenDialog(const QString& filter, QWidget* parent) : QFileDialog(parent) {
    // The preview pane needs Qt's own dialog; native ones cannot carry it.
    setOption(QFileDialog::DontUseNativeDialog, true);
    // The filter entries carry their patterns twice (see openPictureFilter); only the
    // descriptive part is shown.
    setOption(QFileDialog::HideNameFilterDetails, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFiles);
    setNameFilter(filter);
    const QString last = KeptSettings().value(kLastFolder).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        setDirectory(last);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("picturePreview"));
    m_preview->setFixedSize(PreviewSide, PreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, this, &PictureOpenDialog::showPreview);
    // Size, type and date as wide as they need, the name takes the rest.
    if (auto* files = findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = files->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    const QScreen* on = parent ? parent->screen() : screen();
    resize(on ? DialogSize.boundedTo(on->availableGeometry().size()) : DialogSize);
}

void PictureOpenDialog::accept() {
    QFileDialog::accept();
    const QStringList files = selectedFiles();
    if (result() == QDialog::Accepted && !files.isEmpty())
        KeptSettings().setValue(kLastFolder, QFileInfo(files.first()).absolutePath());
}

void PictureOpenDialog::showPreview(const QString& path) {
    QImage image;
    try {
        image = previewImage(path);
    } catch (const std::exception&) {
        // A preview is a courtesy: a picture that cannot be shown shows nothing.
        image = QImage();
    }
    if (image.isNull()) {
        m_preview->clear();
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(
        image.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
