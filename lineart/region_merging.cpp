// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "region_merging.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <queue>
#include <unordered_map>
#include <vector>

namespace {

// Grows a cell from one seed per square of the grid (at the square's weakest pixel) over
// the picture, always from the weakest pixel reached, so cells meet on ridges of the edge
// strength. Ties go first in, first out: the same picture gives the same cells.
cv::Mat floodCells(const cv::Mat& strength, int spacing, int& count) {
    cv::Mat levels;
    // A sixteenth of a CIELAB unit per pixel is finer than any edge that matters.
    strength.convertTo(levels, CV_8U, 16.0);
    cv::Mat labels(strength.size(), CV_32S, cv::Scalar(-1));
    std::vector<std::vector<int>> buckets(256);
    std::vector<size_t> heads(256, 0);
    count = 0;
    for (int y0 = 0; y0 < levels.rows; y0 += spacing)
        for (int x0 = 0; x0 < levels.cols; x0 += spacing) {
            const cv::Rect cell =
                cv::Rect(x0, y0, spacing, spacing) & cv::Rect(0, 0, levels.cols, levels.rows);
            cv::Point weakest = cell.tl();
            for (int y = cell.y; y < cell.y + cell.height; ++y)
                for (int x = cell.x; x < cell.x + cell.width; ++x)
                    if (levels.at<uchar>(y, x) < levels.at<uchar>(weakest))
                        weakest = cv::Point(x, y);
            labels.at<int>(weakest) = count++;
            buckets[levels.at<uchar>(weakest)].push_back(weakest.y * levels.cols + weakest.x);
        }
    const int width = levels.cols;
    const int height = levels.rows;
    auto* label = labels.ptr<int>();
    const uchar* level = levels.ptr<uchar>();
    for (int current = 0; current < 256; ++current) {
        std::vector<int>& bucket = buckets[size_t(current)];
        for (size_t& head = heads[size_t(current)]; head < bucket.size(); ++head) {
            const int at = bucket[head];
            const int x = at % width;
            const int y = at / width;
            const int around[4] = {x > 0 ? at - 1 : -1, x + 1 < width ? at + 1 : -1,
                                   y > 0 ? at - width : -1, y + 1 < height ? at + width : -1};
            for (const int next : around) {
                if (next < 0 || label[next] >= 0)
                    continue;
                label[next] = label[at];
                buckets[size_t(std::max<int>(current, level[next]))].push_back(next);
            }
        }
        std::vector<int>().swap(bucket);
    }
    return labels;
}

// Regions as nodes, shared borders as edges, merged one pair at a time.
class RegionGraph {
public:
    RegionGraph(const cv::Mat& cells, int count, const cv::Mat& lab, const cv::Mat& strength,
                const RegionRules& rules)
        : m_parent(size_t(count)), m_area(size_t(count), 0), m_colour(size_t(count)),
          m_inside(size_t(count), 0.0), m_edgesOf(size_t(count)) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
        m_texture = rules.texture;
        m_strengthWeight = rules.strengthWeight;
        auto touch = [&](int a, int b, float along) {
            auto [it, added] = m_index.try_emplace(key(a, b), int(m_edges.size()));
            if (added) {
                m_edges.push_back({std::min(a, b), std::max(a, b), 0.0, 0, 0, true});
                m_edgesOf[size_t(a)].push_back(it->second);
                m_edgesOf[size_t(b)].push_back(it->second);
            }
            Edge& edge = m_edges[size_t(it->second)];
            edge.strength += along;
            ++edge.length;
        };
        for (int y = 0; y < cells.rows; ++y) {
            const int* row = cells.ptr<int>(y);
            const int* below = y + 1 < cells.rows ? cells.ptr<int>(y + 1) : nullptr;
            const float* s = strength.ptr<float>(y);
            const float* sBelow = below ? strength.ptr<float>(y + 1) : nullptr;
            const auto* colour = lab.ptr<cv::Vec3f>(y);
            for (int x = 0; x < cells.cols; ++x) {
                const auto r = size_t(row[x]);
                ++m_area[r];
                m_colour[r] += cv::Vec3d(colour[x]);
                m_inside[r] += double(s[x]);
                if (x + 1 < cells.cols && row[x + 1] != row[x])
                    touch(row[x], row[x + 1], 0.5f * (s[x] + s[x + 1]));
                if (below && below[x] != row[x])
                    touch(row[x], below[x], 0.5f * (s[x] + sBelow[x]));
            }
        }
        m_cellArea = m_area;
        for (size_t e = 0; e < m_edges.size(); ++e) {
            push(int(e));
            m_cellBorders.push_back({m_edges[e].a, m_edges[e].b, cost(m_edges[e])});
        }
    }

    struct CellBorder {
        int a;
        int b;
        double cost;
    };
    // The borders between the first cells, as they were before any merge.
    const std::vector<CellBorder>& cellBorders() const { return m_cellBorders; }

    int find(int r) {
        while (m_parent[size_t(r)] != r)
            r = m_parent[size_t(r)] = m_parent[size_t(m_parent[size_t(r)])];
        return r;
    }

    // Merges pairs, cheapest border first, while the border costs less than limit.
    void mergeCheaperThan(double limit) {
        while (!m_queue.empty()) {
            const Candidate top = m_queue.top();
            m_queue.pop();
            const Edge& edge = m_edges[size_t(top.edge)];
            if (!edge.alive || edge.version != top.version)
                continue;
            if (top.cost >= limit)
                break;
            // The regions' colours may have changed since the border was queued: a border
            // that now costs more waits for its turn again.
            const double now = cost(edge);
            if (now > top.cost + 1e-9) {
                push(top.edge);
                continue;
            }
            merge(edge.a, edge.b);
        }
    }

    // The neighbour a region shares its cheapest border with, or -1.
    int cheapestNeighbour(int r) {
        int best = -1;
        double bestCost = std::numeric_limits<double>::infinity();
        for (const int e : m_edgesOf[size_t(r)]) {
            const Edge& edge = m_edges[size_t(e)];
            if (!edge.alive)
                continue;
            const double c = cost(edge);
            if (c < bestCost) {
                bestCost = c;
                best = edge.a == r ? edge.b : edge.a;
            }
        }
        return best;
    }

    void merge(int a, int b) {
        a = find(a);
        b = find(b);
        if (a == b)
            return;
        // The region with more borders survives: each border moves at most a few times.
        if (m_edgesOf[size_t(a)].size() < m_edgesOf[size_t(b)].size())
            std::swap(a, b);
        m_parent[size_t(b)] = a;
        m_area[size_t(a)] += m_area[size_t(b)];
        m_colour[size_t(a)] += m_colour[size_t(b)];
        m_inside[size_t(a)] += m_inside[size_t(b)];
        std::vector<int>& kept = m_edgesOf[size_t(a)];
        for (const int e : m_edgesOf[size_t(b)]) {
            Edge& edge = m_edges[size_t(e)];
            if (!edge.alive)
                continue;
            const int other = edge.a == b ? edge.b : edge.a;
            m_index.erase(key(b, other));
            if (other == a) {
                edge.alive = false;
                continue;
            }
            auto found = m_index.find(key(a, other));
            if (found != m_index.end()) {
                Edge& joined = m_edges[size_t(found->second)];
                joined.strength += edge.strength;
                joined.length += edge.length;
                edge.alive = false;
                push(found->second);
            } else {
                edge.a = std::min(a, other);
                edge.b = std::max(a, other);
                m_index.emplace(key(a, other), e);
                kept.push_back(e);
            }
        }
        std::vector<int>().swap(m_edgesOf[size_t(b)]);
    }

    long area(int r) const { return m_area[size_t(r)]; }
    long cellArea(int c) const { return m_cellArea[size_t(c)]; }
    int cellCount() const { return int(m_parent.size()); }

private:
    struct Edge {
        int a;
        int b;
        double strength; // summed along the border
        long length;
        int version;
        bool alive;
    };
    struct Candidate {
        double cost;
        int edge;
        int version;
        bool operator<(const Candidate& other) const {
            // The cheapest on top; equal costs by edge number, so the order is fixed.
            return cost != other.cost ? cost > other.cost : edge > other.edge;
        }
    };

    static uint64_t key(int a, int b) {
        if (a > b)
            std::swap(a, b);
        return (uint64_t(uint32_t(a)) << 32) | uint32_t(b);
    }

    double cost(const Edge& edge) const {
        const cv::Vec3d difference = m_colour[size_t(edge.a)] / double(m_area[size_t(edge.a)]) -
                                     m_colour[size_t(edge.b)] / double(m_area[size_t(edge.b)]);
        // Texture is strong everywhere in a region: a border counts by how much stronger it
        // is than the two regions' insides.
        const double inside = (m_inside[size_t(edge.a)] + m_inside[size_t(edge.b)]) /
                              double(m_area[size_t(edge.a)] + m_area[size_t(edge.b)]);
        return borderCost(edge.strength / double(edge.length) - m_texture * inside,
                          cv::norm(difference), m_strengthWeight);
    }

    void push(int e) {
        Edge& edge = m_edges[size_t(e)];
        ++edge.version;
        m_queue.push({cost(edge), e, edge.version});
    }

    std::vector<int> m_parent;
    std::vector<long> m_area;
    std::vector<cv::Vec3d> m_colour;
    std::vector<double> m_inside; // edge strength summed over the region
    double m_texture = 1.0;
    double m_strengthWeight = 0.5;
    std::vector<std::vector<int>> m_edgesOf;
    std::vector<Edge> m_edges;
    std::unordered_map<uint64_t, int> m_index;
    std::vector<CellBorder> m_cellBorders;
    std::vector<long> m_cellArea;
    std::priority_queue<Candidate> m_queue;
};

// Each region's label by its root, numbered in order of first appearance.
cv::Mat relabel(const cv::Mat& cells, RegionGraph& graph, int count, int& regions) {
    std::vector<int> number(size_t(count), -1);
    regions = 0;
    cv::Mat labels(cells.size(), CV_32S);
    for (int y = 0; y < cells.rows; ++y) {
        const int* in = cells.ptr<int>(y);
        int* out = labels.ptr<int>(y);
        for (int x = 0; x < cells.cols; ++x) {
            int& n = number[size_t(graph.find(in[x]))];
            if (n < 0)
                n = regions++;
            out[x] = n;
        }
    }
    return labels;
}

// The width of each region as the colourability check measures it: twice the distance of
// its deepest pixel from its outline (or the picture's edge), less one.
std::vector<double> widths(const cv::Mat& labels, int regions) {
    cv::Mat paper;
    cv::copyMakeBorder(regionBorders(labels) == 0, paper, 1, 1, 1, 1, cv::BORDER_CONSTANT,
                       cv::Scalar(0));
    cv::Mat distance;
    cv::distanceTransform(paper, distance, cv::DIST_L2, cv::DIST_MASK_3, CV_32F);
    std::vector<float> deepest(size_t(regions), 0.0f);
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        const float* d = distance.ptr<float>(y + 1) + 1;
        for (int x = 0; x < labels.cols; ++x)
            deepest[size_t(label[x])] = std::max(deepest[size_t(label[x])], d[x]);
    }
    std::vector<double> across(static_cast<size_t>(regions));
    for (size_t r = 0; r < across.size(); ++r)
        across[r] = 2.0 * deepest[r] - 1.0;
    return across;
}

int findIn(std::vector<int>& parent, int r) {
    while (parent[size_t(r)] != r)
        r = parent[size_t(r)] = parent[size_t(parent[size_t(r)])];
    return r;
}

// Cuts every region larger than largestArea where its cells hold together most weakly:
// joining its cells cheapest border first, the last join of two parts both at least
// smallestPart large is where it divides, and its pieces are what the borders cheaper than
// that join hold together. A subject on a background of nearly its colour keeps the best
// outline there is, and a sky meeting the ground through a haze gets its horizon. Gives
// each cell's region, as a cell number standing for it.
std::vector<int> splitLarge(RegionGraph& graph, double largestArea, double smallestPart) {
    const int cells = graph.cellCount();
    std::vector<int> region(static_cast<size_t>(cells));
    for (int c = 0; c < cells; ++c)
        region[size_t(c)] = graph.find(c);
    const std::vector<RegionGraph::CellBorder>& borders = graph.cellBorders();
    std::vector<int> order(borders.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&borders](int p, int q) {
        return borders[size_t(p)].cost < borders[size_t(q)].cost;
    });
    std::vector<int> parent(static_cast<size_t>(cells));
    std::vector<long> size(static_cast<size_t>(cells));
    std::vector<long> area(static_cast<size_t>(cells));
    std::vector<double> splitAt(static_cast<size_t>(cells));
    // Each round cuts what the last left too large.
    for (int round = 0; round < 8; ++round) {
        std::fill(area.begin(), area.end(), 0);
        for (int c = 0; c < cells; ++c)
            area[size_t(region[size_t(c)])] += graph.cellArea(c);
        bool any = false;
        for (int c = 0; c < cells; ++c)
            any |= area[size_t(c)] > largestArea;
        if (!any)
            break;
        auto join = [&](double below) {
            for (int c = 0; c < cells; ++c) {
                parent[size_t(c)] = c;
                size[size_t(c)] = graph.cellArea(c);
            }
            for (const int index : order) {
                const RegionGraph::CellBorder& border = borders[size_t(index)];
                const int r = region[size_t(border.a)];
                if (r != region[size_t(border.b)] || area[size_t(r)] <= largestArea ||
                    border.cost >= (below < 0 ? splitAt[size_t(r)] : below))
                    continue;
                const int a = findIn(parent, border.a);
                const int b = findIn(parent, border.b);
                if (a == b)
                    continue;
                if (below > 0 && size[size_t(a)] >= smallestPart && size[size_t(b)] >= smallestPart)
                    splitAt[size_t(r)] = border.cost;
                parent[size_t(b)] = a;
                size[size_t(a)] += size[size_t(b)];
            }
        };
        std::fill(splitAt.begin(), splitAt.end(), -1.0);
        join(std::numeric_limits<double>::infinity());
        join(-1.0);
        bool cut = false;
        for (int c = 0; c < cells; ++c) {
            const int r = region[size_t(c)];
            if (area[size_t(r)] > largestArea && splitAt[size_t(r)] > 0) {
                region[size_t(c)] = findIn(parent, c);
                cut = true;
            }
        }
        if (!cut)
            break;
    }
    return region;
}

} // namespace

double borderCost(double meanStrength, double colourDifference, double strengthWeight) {
    return std::pow(std::max(0.0, meanStrength), strengthWeight) *
           std::pow(std::max(0.0, colourDifference), 1.0 - strengthWeight);
}

void smoothRegions(cv::Mat& labels, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        const cv::Mat before = labels.clone();
        for (int y = 1; y + 1 < labels.rows; ++y) {
            int* out = labels.ptr<int>(y);
            for (int x = 1; x + 1 < labels.cols; ++x) {
                int around[9];
                int n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    const int* row = before.ptr<int>(y + dy);
                    for (int dx = -1; dx <= 1; ++dx)
                        around[n++] = row[x + dx];
                }
                for (int i = 0; i < 9; ++i) {
                    if (around[i] == out[x])
                        continue;
                    const int votes = int(std::count(around, around + 9, around[i]));
                    if (votes >= 5) {
                        out[x] = around[i];
                        break;
                    }
                }
            }
        }
    }
}

cv::Mat regionBorders(const cv::Mat& labels) {
    cv::Mat borders = cv::Mat::zeros(labels.size(), CV_8U);
    for (int y = 0; y < labels.rows; ++y) {
        const int* row = labels.ptr<int>(y);
        const int* below = y + 1 < labels.rows ? labels.ptr<int>(y + 1) : nullptr;
        uchar* out = borders.ptr<uchar>(y);
        for (int x = 0; x < labels.cols; ++x)
            out[x] = uchar((x + 1 < labels.cols && row[x + 1] != row[x]) ||
                           (below && below[x] != row[x]));
    }
    return borders;
}

cv::Mat segmentRegions(const cv::Mat& lab, const cv::Mat& strength, const RegionRules& rules) {
    int count = 0;
    const cv::Mat cells = floodCells(strength, std::max(2, rules.seedSpacing), count);
    std::vector<int> region;
    {
        RegionGraph merged(cells, count, lab, strength, rules);
        merged.mergeCheaperThan(rules.mergeBelow);
        region = splitLarge(merged, rules.largestShare * double(cells.total()),
                            rules.smallestPart * double(cells.total()));
    }
    RegionGraph graph(cells, count, lab, strength, rules);
    for (int c = 0; c < count; ++c)
        graph.merge(c, region[size_t(c)]);
    int regions = 0;
    cv::Mat labels = relabel(cells, graph, count, regions);
    // Narrow regions go into the neighbour they differ least from, until none is left; each
    // round measures the regions as they now are.
    for (int round = 0; round < 64; ++round) {
        const std::vector<double> across = widths(labels, regions);
        std::vector<int> rootOf(size_t(regions), -1);
        for (int y = 0; y < labels.rows; ++y) {
            const int* label = labels.ptr<int>(y);
            const int* cell = cells.ptr<int>(y);
            for (int x = 0; x < labels.cols; ++x)
                rootOf[size_t(label[x])] = graph.find(cell[x]);
        }
        // A region that took in a neighbour this round is measured again before it may
        // move itself: it may be wide enough now, and its remaining neighbours may be across
        // an outline. It may still take in more.
        std::vector<uchar> touched(size_t(count), 0);
        bool merged = false;
        for (int r = 0; r < regions; ++r) {
            if (across[size_t(r)] >= rules.minimumAcross || regions == 1)
                continue;
            const int root = graph.find(rootOf[size_t(r)]);
            if (touched[size_t(root)])
                continue;
            const int neighbour = graph.cheapestNeighbour(root);
            if (neighbour < 0)
                continue;
            graph.merge(root, neighbour);
            touched[size_t(graph.find(root))] = 1;
            merged = true;
        }
        if (!merged)
            break;
        labels = relabel(cells, graph, count, regions);
    }
    return labels;
}
