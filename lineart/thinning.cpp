// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "thinning.h"

#include <opencv2/core.hpp>

#include <array>
#include <vector>

namespace {

// For each arrangement of the eight neighbours (bit 0 north, then clockwise), whether the
// centre may go in the first and in the second step.
struct ThinningTable {
    std::array<std::array<bool, 256>, 2> removable{};
    ThinningTable() {
        for (int code = 0; code < 256; ++code) {
            auto p = [code](int i) { return (code >> i) & 1; };
            int neighbours = 0;
            int rises = 0;
            for (int i = 0; i < 8; ++i) {
                neighbours += p(i);
                rises += !p(i) && p((i + 1) % 8);
            }
            const bool shape = neighbours >= 2 && neighbours <= 6 && rises == 1;
            // p(0) north, p(2) east, p(4) south, p(6) west.
            removable[0][size_t(code)] =
                shape && !(p(0) && p(2) && p(4)) && !(p(2) && p(4) && p(6));
            removable[1][size_t(code)] =
                shape && !(p(0) && p(2) && p(6)) && !(p(0) && p(4) && p(6));
        }
    }
};

} // namespace

void thinStrokes(cv::Mat& ink) {
    static const ThinningTable table;
    // A frame round the picture spares every neighbour look-up a bounds check. It counts as
    // ink that never goes: a stroke that meets the picture's edge keeps meeting it, so a
    // border running out to the edge still closes the regions on both sides.
    constexpr uchar kFrame = 3;
    cv::Mat framed;
    cv::copyMakeBorder(ink, framed, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(kFrame));
    const ptrdiff_t s = ptrdiff_t(framed.step[0]);
    const std::array<ptrdiff_t, 8> offsets{-s, -s + 1, 1, s + 1, s, s - 1, -1, -s - 1};
    uchar* base = framed.data;
    // 0 paper, 1 ink, 2 ink waiting to be looked at. Only pixels on a stroke's edge can go,
    // and a pixel can start to go only when a neighbour went: the pixels looked at are the
    // edge, then the neighbours of what went, so the work follows the ink, not the page.
    constexpr uchar kInk = 1;
    constexpr uchar kWaiting = 2;
    std::vector<ptrdiff_t> waiting;
    for (int y = 1; y < framed.rows - 1; ++y) {
        uchar* row = framed.ptr<uchar>(y);
        for (int x = 1; x < framed.cols - 1; ++x)
            if (row[x])
                row[x] = kInk;
    }
    for (int y = 1; y < framed.rows - 1; ++y) {
        const uchar* row = framed.ptr<uchar>(y);
        for (int x = 1; x < framed.cols - 1; ++x) {
            if (!row[x])
                continue;
            const uchar* p = base + y * s + x;
            bool edge = false;
            for (const ptrdiff_t o : offsets)
                edge = edge || !p[o];
            if (edge) {
                base[y * s + x] = kWaiting;
                waiting.push_back(y * s + x);
            }
        }
    }
    std::vector<ptrdiff_t> doomed;
    std::vector<ptrdiff_t> next;
    for (int quiet = 0; quiet < 2 && !waiting.empty();) {
        for (int step = 0; step < 2; ++step) {
            doomed.clear();
            for (const ptrdiff_t at : waiting) {
                const uchar* p = base + at;
                int code = 0;
                for (int i = 0; i < 8; ++i)
                    code |= (p[offsets[size_t(i)]] != 0) << i;
                if (table.removable[size_t(step)][size_t(code)])
                    doomed.push_back(at);
            }
            quiet = doomed.empty() ? quiet + 1 : 0;
            for (const ptrdiff_t at : doomed)
                base[at] = 0;
            next.clear();
            for (const ptrdiff_t at : waiting)
                if (base[at])
                    next.push_back(at);
            for (const ptrdiff_t at : doomed)
                for (const ptrdiff_t o : offsets)
                    if (base[at + o] == kInk) {
                        base[at + o] = kWaiting;
                        next.push_back(at + o);
                    }
            waiting.swap(next);
            if (quiet >= 2)
                break;
        }
    }
    cv::min(framed(cv::Rect(1, 1, ink.cols, ink.rows)), kInk, ink);
}
