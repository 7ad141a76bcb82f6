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
    // A frame of paper round the picture spares every neighbour look-up a bounds check.
    cv::Mat framed;
    cv::copyMakeBorder(ink, framed, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
    const ptrdiff_t s = ptrdiff_t(framed.step[0]);
    const std::array<ptrdiff_t, 8> offsets{-s, -s + 1, 1, s + 1, s, s - 1, -1, -s - 1};
    uchar* base = framed.data;

    std::vector<ptrdiff_t> remaining;
    for (int y = 1; y < framed.rows - 1; ++y) {
        const uchar* row = framed.ptr<uchar>(y);
        for (int x = 1; x < framed.cols - 1; ++x)
            if (row[x]) {
                base[y * s + x] = 1;
                remaining.push_back(y * s + x);
            }
    }
    std::vector<ptrdiff_t> doomed;
    for (bool changed = true; changed;) {
        changed = false;
        for (int step = 0; step < 2; ++step) {
            doomed.clear();
            for (const ptrdiff_t at : remaining) {
                const uchar* p = base + at;
                int code = 0;
                for (int i = 0; i < 8; ++i)
                    code |= p[offsets[size_t(i)]] << i;
                if (table.removable[size_t(step)][size_t(code)])
                    doomed.push_back(at);
            }
            if (doomed.empty())
                continue;
            changed = true;
            for (const ptrdiff_t at : doomed)
                base[at] = 0;
            size_t kept = 0;
            for (const ptrdiff_t at : remaining)
                if (base[at])
                    remaining[kept++] = at;
            remaining.resize(kept);
        }
    }
    framed(cv::Rect(1, 1, ink.cols, ink.rows)).copyTo(ink);
}
