#include "picture_open_dialog.h"

#include "bitmap.h"
#include "image_loader.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QTreeView>

namespace {

constexpr int PreviewSide = 160;
// Room for the file list's name, size, type and date columns beside the preview.
const QSize DialogSize(900, 520);

QImage previewImage(const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > PreviewSide || size.height() > PreviewSide))
        reader.setScaledSize(size.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (!image.isNull())
        return image;
    // Metafiles are not read by Qt's image plug-ins; the page loader knows them.
    Bitmap bitmap;
    if (ImageLoaderGP(path, bitmap))
        return bitmap.image();
    return QImage();
}

} // namespace

PictureOpenDialog::PictureOpenDialog(const QString& filter, QWidget* parent) : QFileDialog(parent) {
    // The preview pane needs Qt's own dialog; native ones cannot carry it.
    setOption(QFileDialog::DontUseNativeDialog, true);
    // The filter entries carry their patterns twice (see openPictureFilter); only the
    // descriptive part is shown.
    setOption(QFileDialog::HideNameFilterDetails, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(filter);

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

QString PictureOpenDialog::chosenFile() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void PictureOpenDialog::showPreview(const QString& path) {
    QImage image;
    if (QFileInfo(path).isFile())
        image = previewImage(path);
    if (image.isNull()) {
        m_preview->clear();
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(
        image.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
