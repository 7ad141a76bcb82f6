// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "app_error.h"
#include "clean_lines.h"
#include "colour_by_number.h"
#include "page_mask.h"
#include "subject_mask.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <random>
#include <string>

namespace {

// A mottled brown disc (the subject), or a white one, on striped, noisy grass, scale times
// 800 x 600.
Bitmap subjectOnGrass(int scale, bool white = false) {
    cv::Mat picture(600, 800, CV_8UC3);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> noise(-30, 30);
    for (int y = 0; y < picture.rows; ++y)
        for (int x = 0; x < picture.cols; ++x) {
            const int stripe = (x / 9 + y / 31) % 2 * 40;
            picture.at<cv::Vec3b>(y, x) =
                cv::Vec3b(cv::saturate_cast<uchar>(40 + noise(random)),
                          cv::saturate_cast<uchar>(120 + stripe + noise(random)),
                          cv::saturate_cast<uchar>(50 + noise(random)));
        }
    for (int y = 0; y < picture.rows; ++y)
        for (int x = 0; x < picture.cols; ++x)
            if (std::hypot(x - 400, y - 300) < 170 && white) {
                picture.at<cv::Vec3b>(y, x) = cv::Vec3b(250, 250, 250);
            } else if (std::hypot(x - 400, y - 300) < 170) {
                const int mottle = ((x / 23) * 7 + (y / 19) * 3) % 5 * 12;
                picture.at<cv::Vec3b>(y, x) =
                    cv::Vec3b(cv::saturate_cast<uchar>(60 + mottle + noise(random)),
                              cv::saturate_cast<uchar>(90 + mottle + noise(random)),
                              cv::saturate_cast<uchar>(170 + mottle + noise(random)));
            }
    cv::resize(picture, picture, cv::Size(), scale, scale, cv::INTER_CUBIC);
    Bitmap bitmap(picture.cols, picture.rows);
    for (int y = 0; y < picture.rows; ++y)
        std::copy_n(picture.ptr<uchar>(y), 3 * picture.cols, bitmap.scanLine(y));
    return bitmap;
}

// 1 on the pixels at least margin away from the disc of the picture above, on the outside.
cv::Mat awayFromDisc(cv::Size page, int scale, double margin) {
    cv::Mat away(page, CV_8U, cv::Scalar(1));
    cv::circle(away, {400 * scale, 300 * scale}, int((170 + margin) * scale), cv::Scalar(0),
               cv::FILLED);
    return away;
}

} // namespace

TEST(Subject, PageOfABoxedSubjectDrawsItAloneWithItsOutlineClosed) {
    struct Case {
        int scale;
        Background background;
        double mostInkAway; // share of the ink away from the subject
    };
    // Three times larger, the page is drawn from the traced centre lines.
    const Case cases[] = {{1, Background::None, 0.0},
                          {3, Background::None, 0.0},
                          {1, Background::Simple, 1.0},
                          {1, Background::Full, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("scale " + std::to_string(c.scale) + ", background " +
                     std::to_string(int(c.background)));
        const Bitmap picture = subjectOnGrass(c.scale);
        CleanLineSettings settings = defaultCleanLineSettings(picture.width(), picture.height());
        settings.subject.box = cv::Rect(200 * c.scale, 100 * c.scale, 400 * c.scale, 400 * c.scale);
        settings.subject.background = c.background;
        const Bitmap page = *cleanLines(picture, settings);
        const cv::Mat ink = inkOf(page);
        const double away = cv::countNonZero(ink & awayFromDisc(ink.size(), c.scale, 12)) /
                            double(std::max(1, cv::countNonZero(ink)));
        EXPECT_LE(away, c.mostInkAway);
        // The outline is one closed line: the paper at the disc's centre is not the paper
        // of the picture's corner, and ink runs along nearly all of the disc's edge.
        cv::Mat paper;
        cv::connectedComponents(ink == 0, paper, 4, CV_32S);
        const cv::Point centre(400 * c.scale, 300 * c.scale);
        EXPECT_NE(paper.at<int>(centre), paper.at<int>(5, 5));
        cv::Mat nearInk;
        cv::dilate(ink, nearInk, cv::Mat::ones(8 * c.scale + 1, 8 * c.scale + 1, CV_8U));
        int onEdge = 0;
        for (int degree = 0; degree < 360; ++degree) {
            const double a = degree * CV_PI / 180.0;
            const cv::Point at(centre.x + int(170 * c.scale * std::cos(a)),
                               centre.y + int(170 * c.scale * std::sin(a)));
            onEdge += nearInk.at<uchar>(at) ? 1 : 0;
        }
        EXPECT_GE(onEdge, 340);
        if (c.background == Background::None && c.scale == 1) {
            const Bitmap again = *cleanLines(picture, settings);
            EXPECT_TRUE(again.image() == page.image()) << "the same bytes twice";
        }
    }
}

TEST(Subject, ColourByNumberLeavesPlainPaperAroundTheSubjectWithItsOutline) {
    for (const bool white : {false, true}) {
        SCOPED_TRACE(white ? "white disc" : "brown disc");
        const Bitmap picture = subjectOnGrass(1, white);
        ColourByNumberSettings settings;
        settings.subject.box = cv::Rect(200, 100, 400, 400);
        const NumberedRegions regions = *numberRegions(picture, settings);
        // No number on the paper, and none of the key's colours for it.
        for (const NumberLabel& label : regions.labels)
            EXPECT_LT(std::hypot(label.centre.x - 400, label.centre.y - 300), 180);
        const cv::Mat& index = regions.colourIndex;
        const double s = double(index.cols) / picture.width();
        const uchar paper = index.at<uchar>(int(20 * s), int(20 * s));
        EXPECT_EQ(size_t(paper), regions.palette.size());
        EXPECT_EQ(colouredPreview(regions).image().pixel(20, 20), qRgb(255, 255, 255));
        // The disc, white or not, is a region apart from the paper all round.
        for (int degrees = 0; degrees < 360; degrees += 30) {
            const double a = degrees * CV_PI / 180.0;
            const cv::Point inside(int((400 + 150 * std::cos(a)) * s),
                                   int((300 + 150 * std::sin(a)) * s));
            EXPECT_NE(index.at<uchar>(inside), paper) << degrees << " degrees";
        }
    }
    // A subject too small for one numbered region is refused, not a page of paper alone.
    ColourByNumberSettings tiny;
    tiny.subject.box = cv::Rect(394, 294, 12, 12);
    EXPECT_THROW(numberRegions(subjectOnGrass(1), tiny), EAppError);
}

TEST(Subject, TheBrushesSettleTheCutUnderTheirStrokes) {
    // A second patch of the subject's colours inside the box, apart from the disc: GrabCut
    // takes it for subject until a remove stroke says otherwise.
    const Bitmap picture = subjectOnGrass(1);
    cv::Mat colours = coloursOf(picture).clone();
    cv::rectangle(colours, cv::Rect(230, 120, 60, 60), cv::Scalar(70, 100, 180), cv::FILLED);
    const cv::Rect box(200, 100, 400, 400);
    const cv::Point patch(260, 150);
    const cv::Point grass(570, 130);
    const cv::Point disc(400, 300);
    const struct {
        const char* name;
        std::vector<SubjectStroke> strokes;
        int patch, grass, disc; // the cut there
    } cases[] = {
        {"none", {}, 1, 0, 1},
        {"remove over the patch", {{false, 12, {{235, 150}, {285, 150}}}}, 0, 0, 1},
        {"keep on the grass", {{true, 8, {grass}}}, 1, 1, 1},
    };
    // The rough cut of a preview's first answer as well as the page's own.
    for (const auto& c : cases)
        for (const bool rough : {false, true}) {
            const cv::Mat cut = grabCutMask(colours, box, c.strokes, rough);
            EXPECT_EQ(cut.at<uchar>(patch), c.patch) << c.name << " " << rough;
            EXPECT_EQ(cut.at<uchar>(grass), c.grass) << c.name << " " << rough;
            EXPECT_EQ(cut.at<uchar>(disc), c.disc) << c.name << " " << rough;
        }
}

TEST(Subject, SnappingKeepsAHeadPartedAtItsNeckLeavesANotchOpenAndDropsSpecks) {
    // A body with a notch of ground narrower than the snapping's opening, a head a fifth of
    // its size joined to it by a neck thinner than that, a sleeve beside it a twenty-fifth of
    // its size, and a speck of grass wider than the opening but a fiftieth of the body. One
    // region reaching deep into both sides, so that the cut stands where it is.
    cv::Mat cut = cv::Mat::zeros(400, 400, CV_8U);
    cv::circle(cut, {200, 280}, 100, cv::Scalar(1), cv::FILLED);
    cv::circle(cut, {200, 100}, 45, cv::Scalar(1), cv::FILLED);
    cv::line(cut, {200, 145}, {200, 180}, cv::Scalar(1), 2);
    cv::circle(cut, {350, 40}, 14, cv::Scalar(1), cv::FILLED);
    cv::circle(cut, {60, 300}, 20, cv::Scalar(1), cv::FILLED);
    cut(cv::Rect(199, 320, 3, 61)).setTo(0);
    const cv::Mat snapped = snapToRegions(cut, cv::Mat::zeros(cut.size(), CV_32S), 12.0);
    const struct {
        const char* name;
        cv::Point at;
        int kept;
    } cases[] = {{"body", {200, 280}, 1},
                 {"notch", {200, 360}, 0},
                 {"head", {200, 100}, 1},
                 {"sleeve", {60, 300}, 1},
                 {"speck", {350, 40}, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(snapped.at<uchar>(c.at), c.kept) << c.name;
}
