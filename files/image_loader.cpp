#include "image_loader.h"

#include "bitmap.h"

#include <QImageReader>
#include <QPainter>

// First cut: decodes through QImageReader and keeps full colour.
bool ImageLoaderGP(const QString& path, Bitmap& bitmap) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        bitmap = Bitmap(0, 0, 24);
        return false;
    }
    QImage white(image.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter(&white).drawImage(0, 0, image);
    bitmap = Bitmap::fromImage(white, 24);
    return true;
}
