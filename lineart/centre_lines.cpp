// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "centre_lines.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

// The picture with a frame of paper, so that every pixel's neighbours can be read without a
// bounds check, and each ink pixel's count of ink neighbours.
struct Skeleton {
    cv::Mat ink;        // 1 ink, 0 paper, framed
    cv::Mat neighbours; // ink neighbours of each ink pixel
    cv::Mat seen;       // pixels already on a line
    std::array<cv::Point, 8> steps{cv::Point(-1, -1), cv::Point(0, -1), cv::Point(1, -1),
                                   cv::Point(1, 0),   cv::Point(1, 1),  cv::Point(0, 1),
                                   cv::Point(-1, 1),  cv::Point(-1, 0)};

    explicit Skeleton(const cv::Mat& picture) {
        cv::copyMakeBorder(picture != 0, ink, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
        cv::threshold(ink, ink, 0, 1, cv::THRESH_BINARY);
        dropCorners();
        cv::filter2D(ink, neighbours, CV_8U, cv::Mat::ones(3, 3, CV_32F), cv::Point(-1, -1), 0,
                     cv::BORDER_CONSTANT);
        neighbours -= ink;
        seen = cv::Mat::zeros(ink.size(), CV_8U);
    }
    bool isInk(cv::Point p) const { return ink.at<uchar>(p) != 0; }

    // Thinning leaves a pixel in the inner corner of each step of a slanting line. Such a
    // pixel touches three others and would end a line at every step; it goes wherever the
    // ink around it stays one piece without it and the paper beside it was one piece
    // already, so nothing is cut and no two regions meet.
    void dropCorners() {
        for (int y = 1; y < ink.rows - 1; ++y)
            for (int x = 1; x < ink.cols - 1; ++x)
                if (ink.at<uchar>(y, x) && isCorner(cv::Point(x, y)))
                    ink.at<uchar>(y, x) = 0;
    }
    bool isCorner(cv::Point p) const {
        // The ring of neighbours clockwise from the north-west; even places are corners.
        std::array<bool, 8> ring{};
        for (size_t i = 0; i < 8; ++i)
            ring[i] = isInk(p + steps[i]);
        int sides = 0;
        for (size_t i = 1; i < 8; i += 2)
            sides += ring[i];
        // Exactly two sides of ink at a right angle with paper in the corner between them:
        // the inner corner of a step (a meeting of lines has three sides or more). The ink
        // around it stays one piece, and the paper on its other two sides one region, unless
        // the opposite corner is ink.
        for (size_t i = 1; i < 8 && sides == 2; i += 2)
            if (ring[i] && ring[(i + 2) % 8] && !ring[(i + 1) % 8])
                return !ring[(i + 5) % 8];
        return false;
    }
    // Ends, meetings and lone pixels: where lines start and stop.
    bool isNode(cv::Point p) const { return isInk(p) && neighbours.at<uchar>(p) != 2; }
    // The ink neighbour of p that is not `from`, or from itself when there is none.
    cv::Point next(cv::Point p, cv::Point from) const {
        for (const cv::Point& step : steps) {
            const cv::Point q = p + step;
            if (q != from && isInk(q))
                return q;
        }
        return from;
    }
};

cv::Point2f centreOf(cv::Point framed) {
    return {float(framed.x) - 0.5f, float(framed.y) - 0.5f};
}

// Follows the line from `start` through `first` until it reaches a node or comes back.
CentreLine follow(Skeleton& s, cv::Point start, cv::Point first) {
    CentreLine line;
    line.points.push_back(centreOf(start));
    cv::Point from = start;
    cv::Point at = first;
    while (true) {
        line.points.push_back(centreOf(at));
        if (s.isNode(at))
            break;
        s.seen.at<uchar>(at) = 1;
        const cv::Point to = s.next(at, from);
        if (to == start && !s.isNode(start)) {
            line.closed = true;
            break;
        }
        if (to == from || (!s.isNode(to) && s.seen.at<uchar>(to)))
            break;
        from = at;
        at = to;
    }
    return line;
}

} // namespace

std::vector<CentreLine> traceCentreLines(const cv::Mat& skeleton) {
    Skeleton s(skeleton);
    std::vector<CentreLine> lines;
    for (int y = 1; y < s.ink.rows - 1; ++y)
        for (int x = 1; x < s.ink.cols - 1; ++x) {
            const cv::Point p(x, y);
            if (!s.isNode(p))
                continue;
            if (s.neighbours.at<uchar>(p) == 0)
                lines.push_back({{centreOf(p)}, false});
            for (const cv::Point& step : s.steps) {
                const cv::Point q = p + step;
                if (!s.isInk(q))
                    continue;
                // Two nodes side by side are joined once, from the first in reading order.
                if (s.isNode(q)) {
                    if (q.y > y || (q.y == y && q.x > x))
                        lines.push_back({{centreOf(p), centreOf(q)}, false});
                } else if (!s.seen.at<uchar>(q)) {
                    lines.push_back(follow(s, p, q));
                }
            }
        }
    // What is left are loops with neither an end nor a meeting.
    for (int y = 1; y < s.ink.rows - 1; ++y)
        for (int x = 1; x < s.ink.cols - 1; ++x) {
            const cv::Point p(x, y);
            if (!s.isInk(p) || s.isNode(p) || s.seen.at<uchar>(p))
                continue;
            s.seen.at<uchar>(p) = 1;
            lines.push_back(follow(s, p, s.next(p, p)));
        }
    return lines;
}

void pruneSpurs(std::vector<CentreLine>& lines, double shorterThan, const cv::Size& picture) {
    // How many lines end at each point: three or more at a meeting, one at a free end.
    auto key = [](const cv::Point2f& p) {
        return (uint64_t(uint32_t(std::lround(2.0f * p.y))) << 32) |
               uint32_t(std::lround(2.0f * p.x));
    };
    std::unordered_map<uint64_t, int> endsAt;
    for (const CentreLine& line : lines)
        if (!line.closed && line.points.size() >= 2) {
            ++endsAt[key(line.points.front())];
            ++endsAt[key(line.points.back())];
        }
    auto inside = [&picture](const cv::Point2f& p) {
        return p.x > 0.5f && p.y > 0.5f && p.x < picture.width - 0.5f &&
               p.y < picture.height - 0.5f;
    };
    // Shortest first, each only while its meeting keeps two other lines: the arms of a small
    // cross are not all spurs.
    struct Spur {
        double length;
        size_t line;
        uint64_t meeting;
        bool operator<(const Spur& other) const {
            return length != other.length ? length < other.length : line < other.line;
        }
    };
    std::vector<Spur> spurs;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CentreLine& line = lines[i];
        if (line.closed || line.points.size() < 2)
            continue;
        const bool freeFirst = endsAt[key(line.points.front())] == 1;
        const cv::Point2f& free = freeFirst ? line.points.front() : line.points.back();
        const uint64_t meeting = key(freeFirst ? line.points.back() : line.points.front());
        if (endsAt[key(free)] != 1 || endsAt[meeting] < 3 || !inside(free))
            continue;
        double length = 0.0;
        for (size_t k = 1; k < line.points.size() && length < shorterThan; ++k)
            length += cv::norm(line.points[k] - line.points[k - 1]);
        if (length < shorterThan)
            spurs.push_back({length, i, meeting});
    }
    std::sort(spurs.begin(), spurs.end());
    // A dropped spur is left without points, which no traced line is.
    for (const Spur& spur : spurs)
        if (endsAt[spur.meeting] >= 3) {
            --endsAt[spur.meeting];
            lines[spur.line].points.clear();
        }
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const CentreLine& line) { return line.points.empty(); }),
                lines.end());
}

void smoothCentreLines(std::vector<CentreLine>& lines, int passes) {
    std::vector<cv::Point2f> before;
    for (CentreLine& line : lines) {
        std::vector<cv::Point2f>& p = line.points;
        const size_t n = p.size();
        if (n < 3)
            continue;
        for (int pass = 0; pass < passes; ++pass) {
            before = p;
            const size_t first = line.closed ? 0 : 1;
            const size_t last = line.closed ? n : n - 1;
            for (size_t i = first; i < last; ++i) {
                const cv::Point2f& a = before[(i + n - 1) % n];
                const cv::Point2f& b = before[(i + 1) % n];
                p[i] = 0.25f * a + 0.5f * before[i] + 0.25f * b;
            }
        }
    }
}

void drawCentreLines(cv::Mat& ink, const std::vector<CentreLine>& lines, const cv::Size& from) {
    constexpr int kShift = 4;
    const double sx = double(ink.cols) / from.width;
    const double sy = double(ink.rows) / from.height;
    // A point on the picture's outermost pixels goes to the outermost pixels of the ink.
    auto place = [&](cv::Point2f p) {
        double x = p.x * sx - 0.5;
        double y = p.y * sy - 0.5;
        if (p.x <= 0.5f)
            x = 0;
        else if (p.x >= from.width - 0.5f)
            x = ink.cols - 1;
        if (p.y <= 0.5f)
            y = 0;
        else if (p.y >= from.height - 0.5f)
            y = ink.rows - 1;
        return cv::Point(int(std::lround(x * (1 << kShift))), int(std::lround(y * (1 << kShift))));
    };
    std::vector<cv::Point> points;
    for (const CentreLine& line : lines) {
        points.clear();
        for (const cv::Point2f& p : line.points)
            points.push_back(place(p));
        if (points.size() == 1)
            cv::line(ink, points[0], points[0], cv::Scalar(1), 1, cv::LINE_8, kShift);
        else
            cv::polylines(ink, points, line.closed, cv::Scalar(1), 1, cv::LINE_8, kShift);
    }
}
