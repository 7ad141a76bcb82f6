// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

#include <memory>

class Bitmap;
class QIODevice;

// The bitmap as a baseline JFIF stream: libjpeg's defaults at quality 90 (baseline
// quantization), 2 x 2 subsampled chroma, fed with each pixel's red, green and blue, rows
// from the top. Pages of other depths are encoded from a 24-bit copy. Errors are EAppError:
// "JPEG エラー #code" with libjpeg's message code when libjpeg fails, and the no-picture
// error for an empty bitmap.
class JpegEncoder {
public:
    // Checks the picture and starts the compressor on it, so that a picture libjpeg
    // refuses is refused before any file is touched; nothing is written yet.
    explicit JpegEncoder(const Bitmap& bitmap);
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // Compresses the rows into device as the stream is made, a block of output at a time;
    // false when the device takes less than it is given. Called once.
    bool writeTo(QIODevice& device);

    // For a 24-bit bitmap of width x height whose rows are made a band at a time and given
    // to writeRows; throws as the other constructor.
    JpegEncoder(int width, int height);
    // Compresses band, the bitmap's next rows (its width, 24 bits), into device; the stream
    // ends with the last row. Called for the bands in order from the top.
    bool writeRows(QIODevice& device, const Bitmap& band);

    struct State; // the compressor's state, known only to the encoder's own source

private:
    std::unique_ptr<State> m_state;
};

// The whole stream in memory; throws as JpegEncoder does.
QByteArray EncodeJpeg(const Bitmap& bitmap);
