// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "gap_closing.h"

#include <opencv2/imgproc.hpp>

#include <vector>

namespace {

int neighbours(const cv::Mat& lines, int x, int y) {
    int count = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            count += (dx || dy) && nx >= 0 && ny >= 0 && nx < lines.cols && ny < lines.rows &&
                     lines.at<uchar>(ny, nx);
        }
    return count;
}

} // namespace

void closeGaps(cv::Mat& lines, int reach) {
    if (reach < 1)
        return;
    std::vector<cv::Point> ends;
    for (int y = 0; y < lines.rows; ++y) {
        const uchar* row = lines.ptr<uchar>(y);
        for (int x = 0; x < lines.cols; ++x)
            if (row[x] && neighbours(lines, x, y) == 1)
                ends.emplace_back(x, y);
    }
    // Every end looks at the drawing as it was, so the result does not depend on their order.
    const cv::Mat before = lines.clone();
    const int side = 2 * reach + 1;
    std::vector<uchar> own(size_t(side) * size_t(side));
    std::vector<cv::Point> queue;
    for (const cv::Point& end : ends) {
        const cv::Rect window = cv::Rect(end.x - reach, end.y - reach, side, side) &
                                cv::Rect(0, 0, lines.cols, lines.rows);
        auto ownAt = [&](cv::Point p) -> uchar& {
            return own[size_t(p.y - end.y + reach) * size_t(side) + size_t(p.x - end.x + reach)];
        };
        std::fill(own.begin(), own.end(), uchar(0));
        // The end's own line, as far as it runs inside the window.
        queue.assign(1, end);
        ownAt(end) = 1;
        for (size_t next = 0; next < queue.size(); ++next)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const cv::Point n(queue[next].x + dx, queue[next].y + dy);
                    if (window.contains(n) && before.at<uchar>(n) && !ownAt(n)) {
                        ownAt(n) = 1;
                        queue.push_back(n);
                    }
                }
        cv::Point best;
        int bestDistance = reach * reach + 1;
        for (int y = window.y; y < window.y + window.height; ++y) {
            const uchar* row = before.ptr<uchar>(y);
            for (int x = window.x; x < window.x + window.width; ++x) {
                const int d = (x - end.x) * (x - end.x) + (y - end.y) * (y - end.y);
                if (row[x] && d < bestDistance && !ownAt(cv::Point(x, y))) {
                    bestDistance = d;
                    best = cv::Point(x, y);
                }
            }
        }
        if (bestDistance <= reach * reach)
            cv::line(lines, end, best, cv::Scalar(1), 1, cv::LINE_8);
    }
}
