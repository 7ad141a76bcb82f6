// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QSize>

#include <memory>

class QSvgRenderer;

// Windows metafiles (EMF, WMF) drawn at their own pixel size over white. The pictures
// are translated to SVG (libemf2svg, libwmf) and drawn with QtSvg.

// The drawn picture as Format_RGB32, or a null image when the metafile cannot be read or
// its size is empty or larger than maxBytes allows (tooLarge is then set).
QImage renderMetafile(const QByteArray& file, qint64 maxBytes, bool& tooLarge);

// A metafile translated and ready to draw, a band of rows at a time: a picture far larger
// than the memory for a band is drawn without ever being held whole.
class MetafileDrawing {
public:
    // Translates the file. Invalid when it cannot be read, or when its picture is larger
    // than maxBytes allows (tooLarge, judged from an EMF's header before translating).
    MetafileDrawing(const QByteArray& file, qint64 maxBytes);
    ~MetafileDrawing();
    MetafileDrawing(const MetafileDrawing&) = delete;
    MetafileDrawing& operator=(const MetafileDrawing&) = delete;

    bool isValid() const { return m_renderer != nullptr; }
    bool tooLarge() const { return m_tooLarge; }
    QSize size() const { return m_size; }
    // Rows top .. top + band.height() - 1 of the picture over white, into band
    // (Format_RGB32, the picture's width).
    void drawRows(QImage& band, int top) const;

private:
    QSize m_size;
    QPointF m_origin;
    bool m_tooLarge = false;
    std::unique_ptr<QSvgRenderer> m_renderer;
};
