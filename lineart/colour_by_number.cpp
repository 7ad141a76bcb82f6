// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colour_by_number.h"

#include "app_error.h"
#include "centre_lines.h"
#include "colour_field.h"
#include "colour_palette.h"
#include "number_glyphs.h"
#include "page_mask.h"
#include "region_merging.h"
#include "thinning.h"

#include <QCoreApplication>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Regions are found on a copy at most this size on its longer side: a large photograph costs
// little more than a small one. A smaller picture is worked on as it is, since the
// picture's pixels sampled from a larger copy could cut a region's narrow part off it.
constexpr int kWorkingSide = 1024;

// Digits 6 points high on A4 (the height of a digit is about 0.72 of the font's size) and
// never fewer pixels than can draw a digit.
constexpr double kSmallestDigitMm = 6.0 * 25.4 / 72.0 * 0.72;
constexpr double kSmallestDigitPixels = 5.0;
// Edges are lighter than any number, so the two are told apart, and still plain to see.
constexpr uchar kEdgeGrey = 170;
// A number in a large region grows up to this many times the smallest.
constexpr double kLargestDigitGrowth = 2.5;

// Pixels per mm with the picture printed as large as it fits on A4, either way round: the
// larger of the two scales a picture can be measured at, so sizes hold at both.
double fittedPerMm(int width, int height) {
    const double w = std::max(width, 1);
    const double h = std::max(height, 1);
    return std::max(std::max(w, h) / 297.0, std::min(w, h) / 210.0);
}

// Measures of a page, in its pixels.
struct PageMeasures {
    double perMm = 1;         // the picture fitted to A4
    double edge = 1;          // width of a region's edge line
    double margin = 1;        // between a number and its region's edge
    double smallestDigit = 1; // height of a digit
    int keyHeight = 0;
};

// A key that names its colours needs room for the words after each swatch.
int keyColumns(int colours, bool named) {
    return std::min(colours, named ? 4 : 12);
}

// The key's swatch side for a picture width and number of colours.
double swatchSide(int width, int colours, bool named, double perMm) {
    return std::min(0.4 * width / keyColumns(colours, named), 8.0 * perMm);
}

PageMeasures measuresOf(cv::Size picture, int colours, bool named) {
    PageMeasures m;
    m.perMm = fittedPerMm(picture.width, picture.height);
    m.edge = std::max(1.0, std::round(0.2 * m.perMm));
    m.margin = std::max(1.0, 0.4 * m.perMm);
    const double swatch = swatchSide(picture.width, colours, named, m.perMm);
    const int columns = keyColumns(colours, named);
    const int rows = (colours + columns - 1) / columns;
    m.keyHeight = int(std::ceil(rows * 1.5 * swatch + 0.5 * swatch));
    const double pagePerMm = fittedPerMm(picture.width, picture.height + m.keyHeight);
    m.smallestDigit = std::max(kSmallestDigitPixels, kSmallestDigitMm * pagePerMm);
    return m;
}

int digitsOf(int number) {
    return number >= 100 ? 3 : number >= 10 ? 2 : 1;
}

// Half the diagonal of a number's box: the radius of the disc it needs.
double boxRadius(double digitHeight, int digits) {
    return 0.5 * digitHeight * std::hypot(kGlyphAspect * digits, 1.0);
}

// The width every region needs, in pixels of the picture: the smallest region size, and room
// for the widest number at its smallest with its margin, the edge and a pixel of the working
// copy lost to scaling.
double neededAcross(const PageMeasures& m, int colours, double smallestMm, double scale) {
    const double label = boxRadius(m.smallestDigit, digitsOf(colours)) + m.margin + m.edge + scale;
    return std::max(smallestMm * m.perMm, 2.0 * label);
}

// Regions of one colour that touch are one region: numbers in order of first appearance.
cv::Mat joinAlikeNeighbours(const cv::Mat& labels, const std::vector<int>& colourOf, int& count) {
    std::vector<int> parent(colourOf.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&parent](int r) {
        while (parent[size_t(r)] != r)
            r = parent[size_t(r)] = parent[size_t(parent[size_t(r)])];
        return r;
    };
    auto join = [&](int a, int b) {
        if (a != b && colourOf[size_t(a)] == colourOf[size_t(b)])
            parent[size_t(find(b))] = find(a);
    };
    for (int y = 0; y < labels.rows; ++y) {
        const int* row = labels.ptr<int>(y);
        const int* below = y + 1 < labels.rows ? labels.ptr<int>(y + 1) : nullptr;
        for (int x = 0; x < labels.cols; ++x) {
            if (x + 1 < labels.cols)
                join(row[x], row[x + 1]);
            if (below)
                join(row[x], below[x]);
        }
    }
    std::vector<int> number(parent.size(), -1);
    count = 0;
    cv::Mat joined(labels.size(), CV_32S);
    for (int y = 0; y < labels.rows; ++y) {
        const int* in = labels.ptr<int>(y);
        int* out = joined.ptr<int>(y);
        for (int x = 0; x < labels.cols; ++x) {
            int& n = number[size_t(find(in[x]))];
            if (n < 0)
                n = count++;
            out[x] = n;
        }
    }
    return joined;
}

// The deepest pixel of each region from its edge (or the picture's), and how deep.
void poles(const cv::Mat& regions, int count, std::vector<cv::Point>& at,
           std::vector<float>& depth) {
    cv::Mat paper;
    cv::copyMakeBorder(regionBorders(regions) == 0, paper, 1, 1, 1, 1, cv::BORDER_CONSTANT,
                       cv::Scalar(0));
    cv::Mat distance;
    cv::distanceTransform(paper, distance, cv::DIST_L2, cv::DIST_MASK_PRECISE, CV_32F);
    at.assign(size_t(count), cv::Point());
    depth.assign(size_t(count), -1.0f);
    for (int y = 0; y < regions.rows; ++y) {
        const int* label = regions.ptr<int>(y);
        const float* d = distance.ptr<float>(y + 1) + 1;
        for (int x = 0; x < regions.cols; ++x)
            if (d[x] > depth[size_t(label[x])]) {
                depth[size_t(label[x])] = d[x];
                at[size_t(label[x])] = cv::Point(x, y);
            }
    }
}

// Colours given as bytes, in CIELAB.
std::vector<cv::Vec3f> labOf(const std::vector<CrayonColour>& colours) {
    cv::Mat bgr(1, int(colours.size()), CV_32FC3);
    for (size_t c = 0; c < colours.size(); ++c)
        bgr.at<cv::Vec3f>(0, int(c)) =
            cv::Vec3f(colours[c].blue, colours[c].green, colours[c].red) / 255.0f;
    cv::Mat lab;
    cv::cvtColor(bgr, lab, cv::COLOR_BGR2Lab);
    return std::vector<cv::Vec3f>(lab.begin<cv::Vec3f>(), lab.end<cv::Vec3f>());
}

// The palette in blue, green, red bytes.
std::vector<cv::Vec3b> bytesOf(const std::vector<cv::Vec3f>& lab) {
    cv::Mat colours(1, int(lab.size()), CV_32FC3, const_cast<cv::Vec3f*>(lab.data()));
    cv::Mat bgr;
    cv::cvtColor(colours, bgr, cv::COLOR_Lab2BGR);
    bgr.convertTo(bgr, CV_8UC3, 255.0);
    return std::vector<cv::Vec3b>(bgr.begin<cv::Vec3b>(), bgr.end<cv::Vec3b>());
}

// Each pixel's palette colour, the picture the regions are cut from.
cv::Mat paletteColours(const cv::Mat& indices, const std::vector<cv::Vec3f>& palette) {
    cv::Mat colours(indices.size(), CV_32FC3);
    for (int y = 0; y < indices.rows; ++y) {
        const uchar* in = indices.ptr<uchar>(y);
        auto* out = colours.ptr<cv::Vec3f>(y);
        for (int x = 0; x < indices.cols; ++x)
            out[x] = palette[in[x]];
    }
    return colours;
}

// The colour each region's mean is nearest to.
std::vector<int> regionColours(const cv::Mat& regions, const cv::Mat& lab,
                               const std::vector<cv::Vec3f>& palette) {
    double largest = 0;
    cv::minMaxLoc(regions, nullptr, &largest);
    std::vector<cv::Vec3d> sum(size_t(largest) + 1);
    std::vector<long> area(sum.size(), 0);
    for (int y = 0; y < regions.rows; ++y) {
        const int* label = regions.ptr<int>(y);
        const auto* colour = lab.ptr<cv::Vec3f>(y);
        for (int x = 0; x < regions.cols; ++x) {
            sum[size_t(label[x])] += cv::Vec3d(colour[x]);
            ++area[size_t(label[x])];
        }
    }
    std::vector<int> colourOf(sum.size());
    for (size_t r = 0; r < sum.size(); ++r)
        colourOf[r] = nearestColour(cv::Vec3f(sum[r] / double(std::max(1L, area[r]))), palette);
    return colourOf;
}

EAppError tooSmallToNumber() {
    return EAppError(QCoreApplication::translate(
        "ColourByNumber", "画像が小さすぎて、数字の入る領域を一つも作れません。"));
}

// The cells lying mostly on the paper around a subject take the paper's own colour.
void takePaper(const cv::Mat& cells, const cv::Mat& paper, std::vector<int>& colourOf,
               int paperColour) {
    std::vector<long> on(colourOf.size(), 0);
    std::vector<long> area(colourOf.size(), 0);
    for (int y = 0; y < cells.rows; ++y) {
        const int* cell = cells.ptr<int>(y);
        const uchar* blank = paper.ptr<uchar>(y);
        for (int x = 0; x < cells.cols; ++x) {
            ++area[size_t(cell[x])];
            on[size_t(cell[x])] += blank[x] ? 1 : 0;
        }
    }
    for (size_t c = 0; c < colourOf.size(); ++c)
        if (2 * on[c] > area[c])
            colourOf[c] = paperColour;
}

} // namespace

std::optional<NumberedRegions> numberRegions(const Bitmap& page,
                                             const ColourByNumberSettings& settings,
                                             const StageProgress& progress) {
    constexpr int stages = 3;
    auto proceed = [&progress](int stage) { return !progress || progress(stage, stages); };
    if (settings.colours < kFewestNumberColours || settings.colours > kMostNumberColours)
        throw EAppError(QCoreApplication::translate("ColourByNumber",
                                                    "色の数は %1 から %2 までで選んでください。")
                            .arg(kFewestNumberColours)
                            .arg(kMostNumberColours));
    const CrayonPalette* given = settings.palette ? &*settings.palette : nullptr;
    // Any of a given palette's numbers may have to fit in a region.
    const int largestNumber = given ? int(given->colours.size()) : settings.colours;
    const cv::Size picture(page.width(), page.height());
    const PageMeasures m = measuresOf(picture, settings.colours, given != nullptr);
    const int side = std::min(kWorkingSide, std::max(picture.width, picture.height));
    const double scale = double(std::max(picture.width, picture.height)) / side;
    const double across = neededAcross(m, largestNumber, settings.smallestRegionMm, scale);
    if (page.isEmpty() || std::min(picture.width, picture.height) < across)
        throw tooSmallToNumber();
    if (!proceed(0))
        return std::nullopt;
    cv::Mat working = workingCopy(coloursOf(page), side);
    const cv::Mat subject =
        paintAroundSubject(working, settings.subject, picture, across / scale + 1.0);
    // The white paper around a subject is none of the photo's colours: it keeps an index of
    // its own, so that a white part of the subject keeps its outline against it.
    const cv::Mat paper = settings.subject.background == Background::None && !subject.empty()
                              ? cv::Mat(subject == 0)
                              : cv::Mat();
    const cv::Mat lab = flattenedLab(working, 2.0);
    const double minimumAcross = across / scale + 1.0;
    // Nothing finer than half a region can be a region of its own: it is seen as its mix.
    const int finest = int(minimumAcross / 2.0);
    std::vector<cv::Vec3f> palette;
    std::vector<int> placeOf; // in the given palette
    if (given) {
        const std::vector<cv::Vec3f> choices = labOf(given->colours);
        placeOf = bestChoices(lab, choices, settings.colours, finest);
        for (const int place : placeOf)
            palette.push_back(choices[size_t(place)]);
    } else {
        palette = labPalette(lab, settings.colours, finest);
    }
    cv::Mat quantised = paletteColours(nearestColours(lab, palette), palette);
    // Far from every colour, so that no cell of paper reaches into the subject.
    if (!paper.empty())
        quantised.setTo(cv::Scalar(-100.0, 0.0, 0.0), paper);
    if (!proceed(1))
        return std::nullopt;
    // Cut along the palette's colour changes only; what is too narrow goes into the
    // neighbour nearest in colour.
    RegionRules rules;
    rules.mergeBelow = 0.5;
    rules.texture = 0.0;
    rules.largestShare = 2.0;
    rules.seedSpacing = 6;
    rules.minimumAcross = minimumAcross;
    const cv::Mat cells = segmentRegions(quantised, colourEdgeStrength(quantised, 1.0), rules);
    if (!proceed(2))
        return std::nullopt;
    std::vector<int> cellColour = regionColours(cells, lab, palette);
    const int paperColour = int(palette.size());
    if (!paper.empty())
        takePaper(cells, paper, cellColour, paperColour);
    int count = 0;
    const cv::Mat regions = joinAlikeNeighbours(cells, cellColour, count);

    // Only the colours some region has go on the page and in its key.
    std::vector<int> colourOf(static_cast<size_t>(count));
    for (int y = 0; y < cells.rows; ++y) {
        const int* cell = cells.ptr<int>(y);
        const int* region = regions.ptr<int>(y);
        for (int x = 0; x < cells.cols; ++x)
            colourOf[size_t(region[x])] = cellColour[size_t(cell[x])];
    }
    std::vector<int> usedAt(palette.size() + 1, -1);
    for (const int c : colourOf)
        usedAt[size_t(c)] = 0;
    NumberedRegions result;
    result.picture = picture;
    result.keyHeight = m.keyHeight;
    std::vector<cv::Vec3f> used;
    for (size_t c = 0; c < palette.size(); ++c) {
        if (usedAt[c] < 0)
            continue;
        usedAt[c] = int(used.size());
        used.push_back(palette[c]);
        if (given) {
            const CrayonColour& colour = given->colours[size_t(placeOf[c])];
            // The file's own bytes, not their trip through CIELAB.
            result.palette.emplace_back(colour.blue, colour.green, colour.red);
            result.numbers.push_back(placeOf[c] + 1);
            result.names.push_back(colour.name);
        } else {
            result.numbers.push_back(int(used.size()));
        }
    }
    // A subject too small for a region of its own has gone into the paper around it.
    if (used.empty())
        throw tooSmallToNumber();
    if (!given)
        result.palette = bytesOf(used);
    // The paper follows the colours, with no number and no place in the key.
    usedAt[size_t(paperColour)] = int(used.size());
    result.colourIndex.create(regions.size(), CV_8U);
    for (int y = 0; y < regions.rows; ++y) {
        const int* region = regions.ptr<int>(y);
        uchar* out = result.colourIndex.ptr<uchar>(y);
        for (int x = 0; x < regions.cols; ++x)
            out[x] = uchar(usedAt[size_t(colourOf[size_t(region[x])])]);
    }

    std::vector<cv::Point> at;
    std::vector<float> depth;
    poles(regions, count, at, depth);
    const double sx = double(picture.width) / regions.cols;
    const double sy = double(picture.height) / regions.rows;
    for (int r = 0; r < count; ++r) {
        if (colourOf[size_t(r)] == paperColour)
            continue;
        NumberLabel label;
        label.number = result.numbers[size_t(usedAt[size_t(colourOf[size_t(r)])])];
        label.centre =
            cv::Point2f(float((at[size_t(r)].x + 0.5) * sx), float((at[size_t(r)].y + 0.5) * sy));
        const double radius = (depth[size_t(r)] - 1.0) * std::min(sx, sy) - m.margin - m.edge;
        const double fits = 2.0 * radius / std::hypot(kGlyphAspect * digitsOf(label.number), 1.0);
        label.digitHeight =
            float(std::clamp(fits, m.smallestDigit, kLargestDigitGrowth * m.smallestDigit));
        result.labels.push_back(label);
    }
    return result;
}

namespace {

// Runs over the picture's rows on every core, with the working copy's column of each of the
// picture's columns.
template <typename Row> void forPictureRows(const NumberedRegions& regions, const Row& row) {
    const cv::Mat& index = regions.colourIndex;
    std::vector<int> column(size_t(regions.picture.width));
    for (int x = 0; x < regions.picture.width; ++x)
        column[size_t(x)] =
            std::min(index.cols - 1, int(x * double(index.cols) / regions.picture.width));
    cv::parallel_for_(cv::Range(0, regions.picture.height), [&](const cv::Range& rows) {
        for (int y = rows.start; y < rows.end; ++y)
            row(y, column);
    });
}

int workingRow(const NumberedRegions& regions, int y) {
    const int rows = regions.colourIndex.rows;
    return std::clamp(int(y * double(rows) / regions.picture.height), 0, rows - 1);
}

cv::Mat pictureOf(Bitmap& bitmap) {
    return cv::Mat(bitmap.height(), bitmap.width(), CV_8UC3, bitmap.scanLine(0),
                   size_t(bitmap.bytesPerLine()));
}

} // namespace

NumberedRegions scaledRegions(const NumberedRegions& regions, cv::Size picture) {
    NumberedRegions scaled = regions;
    const float sx = float(picture.width) / std::max(1, regions.picture.width);
    const float sy = float(picture.height) / std::max(1, regions.picture.height);
    scaled.picture = picture;
    scaled.keyHeight = int(std::lround(regions.keyHeight * double(sy)));
    for (NumberLabel& label : scaled.labels) {
        label.centre = cv::Point2f(label.centre.x * sx, label.centre.y * sy);
        label.digitHeight *= std::min(sx, sy);
    }
    return scaled;
}

Bitmap colouredPreview(const NumberedRegions& regions) {
    Bitmap preview(regions.picture.width, regions.picture.height);
    cv::Mat pixels = pictureOf(preview);
    forPictureRows(regions, [&](int y, const std::vector<int>& column) {
        const uchar* index = regions.colourIndex.ptr<uchar>(workingRow(regions, y));
        auto* out = pixels.ptr<cv::Vec3b>(y);
        for (size_t x = 0; x < column.size(); ++x)
            out[x] = index[column[x]] < regions.palette.size() ? regions.palette[index[column[x]]]
                                                               : cv::Vec3b(255, 255, 255);
    });
    return preview;
}

std::vector<KeyEntry> keyEntries(const NumberedRegions& regions) {
    const int colours = int(regions.palette.size());
    const bool named = !regions.names.empty();
    const double perMm = fittedPerMm(regions.picture.width, regions.picture.height);
    const double swatch = swatchSide(regions.picture.width, colours, named, perMm);
    const int columns = keyColumns(colours, named);
    const double cell = double(regions.picture.width) / columns;
    const double digit = 0.6 * swatch;
    const int widest = digitsOf(*std::max_element(regions.numbers.begin(), regions.numbers.end()));
    std::vector<KeyEntry> entries;
    for (int n = 0; n < colours; ++n) {
        const double left = (n % columns) * cell + 0.1 * cell;
        const double top = regions.picture.height + 0.5 * swatch + (n / columns) * 1.5 * swatch;
        const double width = kGlyphAspect * digitsOf(regions.numbers[size_t(n)]) * digit;
        KeyEntry entry;
        entry.number = cv::Rect(int(left), int(top + 0.2 * swatch), std::max(1, int(width)),
                                std::max(1, int(digit)));
        entry.swatch =
            cv::Rect(int(left + kGlyphAspect * std::max(2, widest) * digit + 0.3 * swatch),
                     int(top), std::max(1, int(swatch)), std::max(1, int(swatch)));
        const int nameLeft = entry.swatch.br().x + int(0.3 * swatch);
        entry.name =
            cv::Rect(nameLeft, entry.number.y,
                     std::max(1, int((n % columns + 1) * cell) - nameLeft), entry.number.height);
        entries.push_back(entry);
    }
    return entries;
}

Bitmap numberedPage(const NumberedRegions& regions) {
    const PageMeasures m =
        measuresOf(regions.picture, int(regions.palette.size()), !regions.names.empty());
    Bitmap page(regions.picture.width, regions.picture.height + regions.keyHeight);
    cv::Mat pixels = pictureOf(page);
    // A pixel is on an edge when the colour changes within the line's width across it.
    const int before = int(m.edge) / 2;
    const int after = int(m.edge) - before;
    const cv::Vec3b edge(kEdgeGrey, kEdgeGrey, kEdgeGrey);
    const int width = regions.picture.width;
    const int height = regions.picture.height;
    forPictureRows(regions, [&](int y, const std::vector<int>& column) {
        const uchar* above = regions.colourIndex.ptr<uchar>(workingRow(regions, y - before));
        const uchar* here = regions.colourIndex.ptr<uchar>(workingRow(regions, y));
        const uchar* below =
            regions.colourIndex.ptr<uchar>(workingRow(regions, std::min(height - 1, y + after)));
        auto* out = pixels.ptr<cv::Vec3b>(y);
        for (int x = 0; x < width; ++x) {
            const int c = column[size_t(x)];
            const int left = column[size_t(std::max(0, x - before))];
            const int right = column[size_t(std::min(width - 1, x + after))];
            if (here[left] != here[right] || above[c] != below[c])
                out[x] = edge;
        }
    });
    for (const NumberLabel& label : regions.labels)
        drawNumber(pixels, label.number, label.centre, label.digitHeight, cv::Vec3b(0, 0, 0));
    const std::vector<KeyEntry> key = keyEntries(regions);
    for (size_t n = 0; n < key.size(); ++n) {
        const cv::Rect& number = key[n].number;
        drawNumber(pixels, regions.numbers[n], (number.tl() + number.br()) * 0.5,
                   float(number.height), cv::Vec3b(0, 0, 0));
        cv::rectangle(pixels, key[n].swatch, regions.palette[n], cv::FILLED);
        cv::rectangle(pixels, key[n].swatch, edge, int(m.edge));
    }
    return page;
}

PageDrawing numberedDrawing(const NumberedRegions& regions) {
    PageDrawing drawing;
    drawing.size = QSize(regions.picture.width, regions.picture.height + regions.keyHeight);
    drawing.lineColour = QColor(kEdgeGrey, kEdgeGrey, kEdgeGrey);
    // The edges of the working copy as centre lines, stretched over the picture and stroked
    // as wide as the page's: traced as outlines, a line one pixel wide would become a
    // sliver shorter than the edge.
    cv::Mat index;
    regions.colourIndex.convertTo(index, CV_32S);
    cv::Mat borders = regionBorders(index);
    thinStrokes(borders);
    std::vector<CentreLine> lines = traceCentreLines(borders);
    smoothCentreLines(lines, 2);
    const double sx = double(regions.picture.width) / index.cols;
    const double sy = double(regions.picture.height) / index.rows;
    drawing.linesArea = QRectF(0, 0, regions.picture.width, regions.picture.height);
    for (const CentreLine& line : lines) {
        PageDrawing::Stroke stroke;
        for (const cv::Point2f& p : line.points)
            stroke.points.append(QPointF(p.x * sx, p.y * sy));
        stroke.closed = line.closed;
        drawing.strokes.append(stroke);
    }
    drawing.strokeWidth =
        measuresOf(regions.picture, int(regions.palette.size()), !regions.names.empty()).edge;
    const auto addNumber = [&drawing](int number, cv::Point2f centre, double height) {
        QPainterPath glyphs;
        glyphs.setFillRule(Qt::OddEvenFill);
        for (const std::vector<cv::Point2f>& outline :
             numberOutlines(number, centre, float(height))) {
            glyphs.moveTo(outline[0].x, outline[0].y);
            for (size_t i = 1; i < outline.size(); ++i)
                glyphs.lineTo(outline[i].x, outline[i].y);
            glyphs.closeSubpath();
        }
        drawing.texts.append(
            {QPointF(centre.x, centre.y), height, QString::number(number), false, glyphs});
    };
    for (const NumberLabel& label : regions.labels)
        addNumber(label.number, label.centre, label.digitHeight);
    const std::vector<KeyEntry> key = keyEntries(regions);
    for (size_t n = 0; n < key.size(); ++n) {
        const cv::Rect& number = key[n].number;
        addNumber(regions.numbers[n],
                  cv::Point2f(float(number.x + 0.5 * number.width),
                              float(number.y + 0.5 * number.height)),
                  double(number.height));
        if (!regions.names.empty()) {
            const cv::Rect& name = key[n].name;
            drawing.texts.append({QPointF(name.x, name.y + 0.5 * name.height),
                                  double(name.height),
                                  regions.names[n],
                                  true,
                                  {}});
        }
        const cv::Vec3b colour = regions.palette[n];
        const cv::Rect& swatch = key[n].swatch;
        drawing.swatches.append({QRectF(swatch.x, swatch.y, swatch.width, swatch.height),
                                 QColor(colour[2], colour[1], colour[0])});
    }
    return drawing;
}
