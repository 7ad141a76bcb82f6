// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"

#include <array>
#include <vector>

// A per-pixel tone operation. Mode: 0 lighter, 1 darker, any other value leaves pixels as
// they are.
class TImageProcessing {
public:
    virtual ~TImageProcessing() = default;
    virtual void AdjustPixel(uchar& red, uchar& green, uchar& blue) = 0;
    quint8 Mode = 0;
};

// Square-root curves on the scale 0..1: lighter sqrt(v), darker 2v - sqrt(v).
class TGammaImage : public TImageProcessing {
public:
    void AdjustPixel(uchar& red, uchar& green, uchar& blue) override;
};

// What a processor makes of each value of each channel, taken from its AdjustPixel. Valid
// because AdjustPixel treats each channel on its own.
class ToneTable {
public:
    explicit ToneTable(TImageProcessing& processor);

    uchar red(uchar value) const { return m_channels[2][value]; }
    uchar green(uchar value) const { return m_channels[1][value]; }
    uchar blue(uchar value) const { return m_channels[0][value]; }
    // Indexed like the bytes of a 24-bit pixel: 0 blue, 1 green, 2 red.
    const std::array<uchar, 256>& channel(int byteInPixel) const {
        return m_channels[size_t(byteInPixel)];
    }

    // When every channel goes through the same curve: what each pair of bytes becomes, for
    // loops that take two bytes per look-up; empty otherwise.
    const std::vector<quint16>& pairs() const { return m_pairs; }

private:
    std::array<std::array<uchar, 256>, 3> m_channels;
    std::vector<quint16> m_pairs;
};

// Writes columns [firstColumn, endColumn) (clipped to the picture), all rows, of out from
// src through the table. src and out are 24-bit bitmaps of the same size; they may be the
// same bitmap. Throws std::invalid_argument otherwise.
void ToneColumns(const Bitmap& src, Bitmap& out, const ToneTable& table, int firstColumn,
                 int endColumn);
