// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clean_lines_dialog.h"
#include "colour_by_number_dialog.h"
#include "colourability.h"
#include "palette_choice.h"
#include "preview_worker.h"
#include "subject_chooser.h"
#include "test_application.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

namespace {

// Waits until the dialog's preview is drawn for its controls' latest values.
void waitForPreview(const QDialog& dialog) {
    QCoreApplication::processEvents(); // the controls' changes reach the worker
    const auto* worker = dialog.findChild<PreviewWorker*>();
    ASSERT_NE(worker, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([worker] { return !worker->isBusy(); }, 120000));
}

// A drawing's first answer comes before its own result; a newer drawing drops both, shown or
// not yet.
TEST(PreviewWorker, ShowsAFirstAnswerThenTheResultUnlessANewerDrawingIsAsked) {
    ensureApplication();
    enum class Newer { None, AfterTheDraft, BeforeTheDraft };
    const struct {
        Newer newer;
        const char* shown; // in order
    } cases[] = {{Newer::None, "draft 1, page 1"},
                 {Newer::AfterTheDraft, "draft 1, draft 2, page 2"},
                 {Newer::BeforeTheDraft, "draft 2, page 2"}};
    for (const auto& c : cases) {
        PreviewWorker worker;
        QStringList shown;
        auto show = [&shown](const char* what) {
            return [&shown, what] { shown.append(QString::fromLatin1(what)); };
        };
        // The first drawing waits for the test at the point the case asks.
        auto gate = std::make_shared<QSemaphore>();
        const bool waitsBeforeDraft = c.newer == Newer::BeforeTheDraft;
        worker.request([&, gate, waitsBeforeDraft](const std::function<bool()>&,
                                                   const PreviewWorker::Draft& draft) {
            if (waitsBeforeDraft)
                gate->acquire();
            draft(show("draft 1"));
            if (!waitsBeforeDraft)
                gate->acquire();
            return PreviewWorker::Show(show("page 1"));
        });
        if (c.newer == Newer::AfterTheDraft) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 60000));
        }
        if (c.newer != Newer::None)
            worker.request([&](const std::function<bool()>&, const PreviewWorker::Draft& draft) {
                draft(show("draft 2"));
                return PreviewWorker::Show(show("page 2"));
            });
        gate->release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !worker.isBusy(); }, 60000));
        EXPECT_EQ(shown.join(QStringLiteral(", ")).toStdString(), c.shown);
    }
}

TEST(CleanLinesDialog, WhoColoursChoosesTheSmallestRegion) {
    ensureApplication();
    QImage image(120, 90, QImage::Format_BGR888);
    image.fill(Qt::white);
    const Bitmap page = Bitmap::fromImage(image, 24);
    const struct {
        double given;  // the choice the dialog opens with
        int shown;     // the entry it shows
        int picked;    // the entry then picked
        double chosen; // the smallest region it gives back
    } cases[] = {{3.0, 2, 0, 8.0}, {8.0, 0, 1, 5.0}, {5.0, 1, 2, 3.0}, {4.0, 2, 1, 5.0}};
    for (const auto& c : cases) {
        CleanLineChoice choice;
        choice.settings.smallestRegionMm = c.given;
        CleanLinesDialog dialog(page, choice);
        auto* colourer = dialog.findChild<QComboBox*>();
        ASSERT_NE(colourer, nullptr);
        EXPECT_EQ(colourer->currentIndex(), c.shown) << c.given;
        colourer->setCurrentIndex(c.picked);
        EXPECT_EQ(dialog.choice().settings.smallestRegionMm, c.chosen) << c.given;
        // The figures count the regions too small for the width chosen, and say which.
        waitForPreview(dialog);
        QString figures;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            figures += label->text();
        EXPECT_TRUE(figures.contains(QStringLiteral("（A4で幅%1 mm未満、赤）").arg(c.chosen)))
            << qPrintable(figures);
    }
    CleanLinesDialog dialog(page, CleanLineChoice{});
    auto* colourer = dialog.findChild<QComboBox*>();
    ASSERT_NE(colourer, nullptr);
    EXPECT_EQ(colourer->itemText(0), QStringLiteral("小さな子ども (8 mm)"));
    EXPECT_EQ(colourer->itemText(1), QStringLiteral("子ども (5 mm)"));
    EXPECT_EQ(colourer->itemText(2), QStringLiteral("大人 (3 mm)"));
}

// The figures line of a clean-lines dialog.
QString shownFigures(const QDialog& dialog) {
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text().startsWith(QStringLiteral("インク")))
            return label->text();
    return QString();
}

QImage drawnScene() {
    QImage image(900, 600, QImage::Format_BGR888);
    image.fill(QColor(120, 170, 90));
    QPainter painter(&image);
    for (int y = 0; y < 600; y += 37)
        painter.fillRect(QRect(0, y, 900, 9), QColor(90, 140, 60));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 230, 225));
    painter.drawEllipse(QRect(250, 120, 400, 360));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QRect(360, 220, 40, 40));
    painter.drawEllipse(QRect(500, 220, 40, 40));
    return image;
}

TEST(CleanLinesDialog, ShowsTheFiguresOfThePageOkGives) {
    ensureApplication();
    const QImage photo(QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/chelsea.png"));
    const struct {
        const char* name;
        QImage picture;
        int detail;
        double smallestMm;
        bool closeTiny;
        bool inkToo;    // else drawn smaller than the page: its regions alone are the page's
        cv::Rect box{}; // the subject's; a rough first answer comes before the page's own
    } cases[] = {{"scene", drawnScene(), 50, 3.0, false, true},
                 {"scene", drawnScene(), 90, 8.0, true, true},
                 {"photo", photo, 50, 3.0, false, true},
                 {"photo", photo, 80, 3.0, true, true},
                 {"scene at 3x", drawnScene().scaled(2700, 1800), 50, 3.0, true, false},
                 {"scene, boxed", drawnScene(), 50, 3.0, false, true, {220, 90, 460, 420}},
                 {"photo, boxed", photo, 50, 3.0, true, true, {60, 10, 330, 280}},
                 {"scene at 3x, boxed",
                  drawnScene().scaled(2700, 1800),
                  50,
                  3.0,
                  false,
                  false,
                  {660, 270, 1380, 1260}}};
    for (const auto& c : cases) {
        if (c.picture.isNull())
            continue; // a machine without the sample photographs checks the scene alone
        const Bitmap page = Bitmap::fromImage(c.picture.convertToFormat(QImage::Format_BGR888), 24);
        CleanLineChoice choice{defaultCleanLineSettings(page.width(), page.height()), c.closeTiny};
        choice.settings.detail = c.detail;
        choice.settings.smallestRegionMm = c.smallestMm;
        choice.settings.subject.box = c.box;
        const CleanLinesDialog dialog(page, choice);
        QSignalSpy drafts(dialog.findChild<PreviewWorker*>(), &PreviewWorker::draftShown);
        // Drawn while the window goes on.
        EXPECT_TRUE(shownFigures(dialog).isEmpty()) << c.name;
        waitForPreview(dialog);
        EXPECT_EQ(drafts.count(), c.box.empty() ? 0 : 1) << c.name;
        // The page as the conversion makes it.
        Bitmap lines = *cleanLines(page, choice.settings);
        if (c.closeTiny)
            ColourabilityCheck(lines, c.smallestMm).closeTinyRegions(lines);
        const ColourabilityCheck check(lines, c.smallestMm);
        ASSERT_GT(check.regions(), 2) << c.name;
        const QString regions = QStringLiteral(" ・ 閉じた領域 %1 ・ 小さすぎる領域 %2（")
                                    .arg(check.regions())
                                    .arg(check.tinyRegions());
        const QString figures = shownFigures(dialog);
        EXPECT_TRUE(
            c.inkToo ? figures.startsWith(
                           QStringLiteral("インク %1%").arg(check.inkShare() * 100.0, 0, 'f', 1) +
                           regions)
                     : figures.contains(regions))
            << c.name << " " << c.detail << ": " << qPrintable(figures);
    }
}

TEST(CleanLinesDialog, ThePreviewShowsTheWholePictureAtAnySize) {
    ensureApplication();
    const struct {
        QSize picture;
        QSize dialog; // empty: the size the dialog opens at
    } cases[] = {{{1200, 1600}, {}}, {{1200, 1600}, {500, 420}}, {{1200, 1600}, {1400, 1300}},
                 {{3000, 600}, {}},  {{3000, 600}, {900, 900}},  {{300, 200}, {1000, 900}}};
    for (const auto& c : cases) {
        QImage image(c.picture, QImage::Format_BGR888);
        image.fill(QColor(200, 60, 40));
        QPainter(&image).fillRect(QRect(QPoint(), c.picture / 2), QColor(40, 90, 200));
        CleanLinesDialog dialog(Bitmap::fromImage(image, 24), CleanLineChoice{});
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        waitForPreview(dialog);
        if (!c.dialog.isEmpty())
            dialog.resize(c.dialog);
        QCoreApplication::processEvents();
        const auto* preview = dialog.findChild<SubjectPreview*>();
        ASSERT_NE(preview, nullptr);
        const QRect area = preview->contentsRect();
        const QRect shown = preview->shownArea();
        const auto where = [&] {
            return QStringLiteral("%1x%2 in %3x%4")
                .arg(c.picture.width())
                .arg(c.picture.height())
                .arg(dialog.width())
                .arg(dialog.height());
        };
        // Whole, in its shape (to the pixel its height is rounded to), and as large as the
        // preview allows.
        EXPECT_TRUE(area.contains(shown)) << qPrintable(where());
        EXPECT_NEAR(shown.height(), shown.width() * double(c.picture.height()) / c.picture.width(),
                    1.0)
            << qPrintable(where());
        EXPECT_TRUE(shown.width() >= area.width() - 1 || shown.height() >= area.height() - 1)
            << qPrintable(where());
    }
}

TEST(ColourByNumberDialog, GivesTheChoicesAndShowsBothPicturesOrWhyNot) {
    ensureApplication();
    const struct {
        int width;
        int height;
        int colours;
        int colourer;   // the entry picked
        double mm;      // the smallest region it gives back
        bool previewed; // else too small: no pictures, the reason shown
        cv::Rect box{}; // the subject's; a rough first answer comes before the page's own
    } cases[] = {{240, 160, 6, 0, 8.0, true},
                 {240, 160, 36, 2, 3.0, true},
                 {10, 8, 16, 1, 5.0, false},
                 {240, 160, 6, 0, 8.0, true, {40, 20, 160, 120}}};
    for (const auto& c : cases) {
        QImage image(c.width, c.height, QImage::Format_BGR888);
        image.fill(QColor(200, 60, 40));
        QPainter(&image).fillRect(QRect(0, 0, c.width / 2, c.height), QColor(40, 90, 200));
        ColourByNumberDialog dialog(
            Bitmap::fromImage(image, 24),
            ColourByNumberSettings(16, 3.0, std::nullopt, {c.box, Background::Simple, {}}));
        QSignalSpy drafts(dialog.findChild<PreviewWorker*>(), &PreviewWorker::draftShown);
        auto* colours = dialog.findChild<QSpinBox*>();
        auto* colourer = dialog.findChild<QComboBox*>();
        ASSERT_TRUE(colours && colourer);
        colours->setValue(c.colours);
        colourer->setCurrentIndex(c.colourer);
        EXPECT_EQ(dialog.settings().colours, c.colours);
        EXPECT_EQ(dialog.settings().smallestRegionMm, c.mm);
        waitForPreview(dialog);
        EXPECT_EQ(drafts.count(), c.box.empty() ? 0 : 1) << c.width;
        int shown = 0;
        QString figures;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            shown += !label->pixmap().isNull();
            figures += label->text();
        }
        EXPECT_EQ(shown, c.previewed ? 2 : 0) << c.width;
        EXPECT_EQ(figures.contains(QStringLiteral("領域 2")), c.previewed) << qPrintable(figures);
        if (c.previewed) {
            // The page's own regions.
            const NumberedRegions page =
                *numberRegions(Bitmap::fromImage(image, 24), dialog.settings());
            EXPECT_TRUE(figures.contains(QStringLiteral("色 %1 ・ 領域 %2")
                                             .arg(page.palette.size())
                                             .arg(page.labels.size())))
                << qPrintable(figures);
        }
    }
}

TEST(ColourByNumberDialog, OffersTheBuiltInPalettesAndKeepsTheChoice) {
    ensureApplication();
    QImage image(240, 160, QImage::Format_BGR888);
    image.fill(QColor(200, 60, 40));
    const Bitmap page = Bitmap::fromImage(image, 24);
    for (const auto& [index, colours] : {std::pair(2, 12), std::pair(0, 0), std::pair(3, 24)}) {
        ColourByNumberDialog dialog(page, ColourByNumberSettings{});
        auto* palette = dialog.findChild<QComboBox*>(QStringLiteral("palette"));
        ASSERT_TRUE(palette);
        palette->setCurrentIndex(index);
        const ColourByNumberSettings settings = dialog.settings();
        EXPECT_EQ(settings.palette ? int(settings.palette->colours.size()) : 0, colours);
        dialog.accept();
        const ColourByNumberDialog again(page, ColourByNumberSettings{});
        EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("palette"))->currentIndex(), index);
    }
}

// "From file..." reads the palette when it is picked: a good one is chosen and kept for the
// next time, a broken one is refused naming its line, and either refusal or cancelling
// leaves the choice as it was.
TEST(ColourByNumberDialog, PicksAPaletteFileOrRefusesItAndKeepsTheChoiceAsItWas) {
    ensureApplication();
    QTemporaryDir folder;
    const auto write = [&](const char* name, const QByteArray& text) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    };
    const QString good =
        write("good.gpl", "GIMP Palette\nName: Our box\n255 0 0\tred\n0 0 255\tblue\n");
    const QString broken = write("broken.gpl", "GIMP Palette\n255 0 0\tred\n0 0 300\tblue\n");
    QImage image(240, 160, QImage::Format_BGR888);
    image.fill(QColor(200, 60, 40));
    const Bitmap page = Bitmap::fromImage(image, 24);
    const struct {
        QString file;    // the file answered; empty: cancelled
        QString refusal; // part of the refusal shown; empty: none
        QString shown;   // the entry chosen afterwards
        int colours;     // in the palette given back, 0 for the photo's
    } cases[] = {{good, {}, QStringLiteral("Our box"), 2},
                 {{}, {}, QStringLiteral("Our box"), 2},
                 {broken, QStringLiteral("broken.gpl:3"), QStringLiteral("Our box"), 2}};
    for (const auto& c : cases) {
        ColourByNumberDialog dialog(page, ColourByNumberSettings{});
        auto* palette = dialog.findChild<PaletteChoice*>();
        ASSERT_TRUE(palette);
        QStringList refusals;
        palette->setAsking({[&](QWidget*) { return c.file; },
                            [&](QWidget*, const QString& why) { refusals.append(why); }});
        emit palette->activated(palette->findText(QStringLiteral("ファイルから...")));
        EXPECT_TRUE(refusals.join(' ').contains(c.refusal)) << qPrintable(refusals.join(' '));
        EXPECT_EQ(refusals.isEmpty(), c.refusal.isEmpty());
        EXPECT_EQ(palette->currentText(), c.shown) << qPrintable(c.file);
        const ColourByNumberSettings settings = dialog.settings();
        EXPECT_EQ(settings.palette ? int(settings.palette->colours.size()) : 0, c.colours);
        dialog.accept();
    }
}

// Stripes all over, a disc in the middle: the stripes are the background a box leaves out.
Bitmap stripedPicture(int width, int height) {
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(QColor(240, 220, 60));
    QPainter painter(&image);
    for (int x = 0; x < width; x += width / 20)
        painter.fillRect(QRect(x, 0, width / 40, height), QColor(30, 60, 170));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(QPoint(width / 2, height / 2), width / 6, width / 6);
    return Bitmap::fromImage(image, 24);
}

// Inked pixels (a line shrunk for the screen is grey) of the preview's picture outside the box
// (grown by margin), in the preview's own pixels.
int inkOutside(const SubjectPreview& preview, const cv::Rect& box, QSize picture, int margin) {
    const QImage shown = preview.pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const double scale = double(shown.width()) / picture.width();
    const QRect kept = QRect(int(box.x * scale), int(box.y * scale), int(box.width * scale),
                             int(box.height * scale))
                           .adjusted(-margin, -margin, margin, margin);
    int ink = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            ink += !kept.contains(x, y) && qGray(shown.pixel(x, y)) < 200;
    return ink;
}

TEST(SubjectChooser, ADragOnEitherPreviewChoosesTheSubjectAndWholePhotoClearsIt) {
    ensureApplication();
    const struct {
        bool numbered; // the colour-by-number dialog, else the clean-lines one
        QSize picture;
        int shownWidth; // the width the clean-lines preview is made to show it at
        QPoint from;    // on the shown picture, in pixels of the screen
        QPoint to;
        cv::Rect box; // in the picture's pixels; empty: none chosen
    } cases[] = {
        {false, {400, 300}, 400, {40, 30}, {200, 150}, {40, 30, 160, 120}},
        // Shown at half size; dragged from bottom right to top left.
        {false, {1440, 1080}, 720, {120, 110}, {20, 10}, {40, 20, 200, 200}},
        // Past the picture's edge: the box stops at it.
        {false, {1440, 1080}, 720, {600, 400}, {900, 700}, {1200, 800, 240, 280}},
        // A click is no box.
        {false, {400, 300}, 400, {100, 100}, {102, 101}, {}},
        {true, {1440, 1080}, 320, {21, 21}, {210, 105}, {94, 94, 851, 379}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const Bitmap page = stripedPicture(c.picture.width(), c.picture.height());
        std::unique_ptr<QDialog> dialog;
        if (c.numbered)
            dialog = std::make_unique<ColourByNumberDialog>(page, ColourByNumberSettings{});
        else
            dialog = std::make_unique<CleanLinesDialog>(page, CleanLineChoice{});
        auto subject = [&] {
            return c.numbered ? static_cast<ColourByNumberDialog&>(*dialog).settings().subject
                              : static_cast<CleanLinesDialog&>(*dialog).choice().settings.subject;
        };
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        waitForPreview(*dialog);
        auto* preview = dialog->findChild<SubjectPreview*>();
        auto* wholePhoto = dialog->findChild<QPushButton*>(QStringLiteral("wholePhoto"));
        auto* background = dialog->findChild<QComboBox*>(QStringLiteral("background"));
        ASSERT_TRUE(preview && wholePhoto && background);
        if (c.shownWidth > 0) {
            // At least as wide as the picture is to be shown, exactly as high (the widening is
            // shared with the numbered page beside it).
            const int shownHeight = c.shownWidth * c.picture.height() / c.picture.width();
            for (int step = 0;
                 step < 4 && (preview->width() < c.shownWidth || preview->height() != shownHeight);
                 ++step) {
                dialog->resize(
                    std::max(dialog->width(), dialog->width() + c.shownWidth - preview->width()),
                    dialog->height() + shownHeight - preview->height());
                QCoreApplication::processEvents();
            }
            ASSERT_EQ(preview->shownArea().width(), c.shownWidth)
                << preview->width() << "x" << preview->height() << " " << dialog->height();
        }
        EXPECT_FALSE(background->isEnabled());
        const int inkBefore = inkOutside(*preview, c.box, c.picture, 3);

        const QPoint origin = preview->shownArea().topLeft();
        QTest::mousePress(preview, Qt::LeftButton, {}, origin + c.from);
        QTest::mouseMove(preview, origin + c.to);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, origin + c.to);
        EXPECT_EQ(subject().box, c.box) << c.picture.width() << " " << c.from.x();
        EXPECT_EQ(background->isEnabled(), !c.box.empty());
        if (c.box.empty())
            continue;
        EXPECT_EQ(subject().background, Background::None);
        // The preview is drawn again with white paper around the subject.
        waitForPreview(*dialog);
        if (!c.numbered) {
            EXPECT_GT(inkBefore, 1000);
            EXPECT_EQ(inkOutside(*preview, c.box, c.picture, 3), 0);
        }
        background->setCurrentIndex(2);
        EXPECT_EQ(subject().background, Background::Full);

        // A stroke of the remove brush across the box, kept in the picture's pixels.
        auto* removeTool = dialog->findChild<QPushButton*>(QStringLiteral("removeTool"));
        ASSERT_TRUE(removeTool && removeTool->isEnabled());
        QTest::mouseClick(removeTool, Qt::LeftButton);
        const QPoint middle = (c.from + c.to) / 2;
        QTest::mousePress(preview, Qt::LeftButton, {}, origin + c.from);
        QTest::mouseMove(preview, origin + middle);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, origin + c.to);
        ASSERT_EQ(subject().strokes.size(), 1u);
        EXPECT_FALSE(subject().strokes[0].keep);
        const cv::Point first = subject().strokes[0].points.front();
        const cv::Point last = subject().strokes[0].points.back();
        EXPECT_NEAR(std::min(first.x, last.x), c.box.x, 3);
        EXPECT_NEAR(std::max(first.x, last.x), c.box.x + c.box.width, 3);
        EXPECT_EQ(subject().box, c.box) << "a remove stroke leaves the box";

        QTest::mouseClick(wholePhoto, Qt::LeftButton);
        EXPECT_TRUE(subject().box.empty());
        EXPECT_TRUE(subject().strokes.empty());
        EXPECT_FALSE(background->isEnabled());
    }
    CleanLinesDialog dialog(stripedPicture(120, 90), CleanLineChoice{});
    auto* background = dialog.findChild<QComboBox*>(QStringLiteral("background"));
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->itemText(0), QStringLiteral("背景なし"));
    EXPECT_EQ(background->itemText(1), QStringLiteral("簡単な背景"));
    EXPECT_EQ(background->itemText(2), QStringLiteral("背景すべて"));
}

TEST(SubjectChooser, ADialogClosedWhileItsPreviewIsDrawnLeavesNothingBehind) {
    ensureApplication();
    const Bitmap page = stripedPicture(3000, 2000);
    for (const bool numbered : {false, true}) {
        Subject subject{cv::Rect(600, 300, 1800, 1400), Background::None, {}};
        std::unique_ptr<QDialog> dialog;
        if (numbered)
            dialog = std::make_unique<ColourByNumberDialog>(
                page, ColourByNumberSettings(16, 3.0, std::nullopt, subject));
        else
            dialog = std::make_unique<CleanLinesDialog>(
                page, CleanLineChoice{{50, 4, 3.0, subject}, true});
        dialog->show();
        // The first drawing runs; a new box waits for it.
        auto* background = dialog->findChild<QComboBox*>(QStringLiteral("background"));
        ASSERT_NE(background, nullptr);
        background->setCurrentIndex(1);
        QCoreApplication::processEvents();
        ASSERT_TRUE(dialog->findChild<PreviewWorker*>()->isBusy());
        dialog.reset();
        // The drawing ends on its own and its result goes nowhere.
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }
}

} // namespace
