// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "about_form.h"
#include "test_application.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace {

class AboutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    TAbout_Form about;
};

QColor textColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

int visibleAboutWindows() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<TAbout_Form*>(w) != nullptr && w->isVisible()) {
            ++count;
        }
    }
    return count;
}

struct Placement {
    const char* name;
    QRect geometry;
};

const Placement kPlacements[] = {
    {"Image1", QRect(18, 17, 165, 53)},
    {"Image2", QRect(148, 8, 49, 49)},
    {"Panel1", QRect(211, 17, 274, 105)},
    {"Button1", QRect(429, 127, 75, 25)},
};

struct LabelCase {
    const char* name;
    QPoint position; // in the window, or in Panel1 for the panel's labels
    QColor colour;
    bool bold;
    bool inPanel;
};

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

const LabelCase kLabels[] = {
    {"Label1", QPoint(68, 76), kNavy, true, false},
    {"Label2", QPoint(20, 95), kMaroon, false, false},
    {"Label9", QPoint(20, 110), kMaroon, false, false},
    {"Label10", QPoint(20, 125), kMaroon, false, false},
    {"Label3", QPoint(12, 8), Qt::black, true, true},
    {"Label6", QPoint(12, 62), QColor(160, 0, 0), false, true},
    {"Label8", QPoint(13, 85), QColor(72, 72, 72), false, true},
};

} // namespace

TEST_F(AboutTest, WindowIsAFixedSizeSkyBlueDialog) {
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Pintabelについて"));
    EXPECT_EQ(about.size(), QSize(507, 156));
    EXPECT_EQ(about.minimumSize(), QSize(507, 156));
    EXPECT_EQ(about.maximumSize(), QSize(507, 156));
    EXPECT_FALSE(about.isModal());
    EXPECT_FALSE(about.isVisible());
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(about.autoFillBackground());
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(166, 202, 240));
    EXPECT_EQ(about.font().pointSize(), 8);
    EXPECT_EQ(about.font().families().value(0), QStringLiteral("Tahoma"));
    EXPECT_TRUE(about.windowIcon().availableSizes().contains(QSize(48, 48)));
}

TEST_F(AboutTest, ControlsSitWhereTheLayoutPutsThem) {
    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(p.name);
        auto* widget = about.findChild<QWidget*>(QLatin1String(p.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), &about);
        EXPECT_EQ(widget->geometry(), p.geometry);
    }
    EXPECT_EQ(about.Panel1->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_TRUE(about.Panel1->autoFillBackground());
    EXPECT_FALSE(about.Button1->geometry().intersects(about.Panel1->geometry()));
    EXPECT_TRUE(about.rect().contains(about.Button1->geometry()));
}

// Contrast ratio of two colours by their relative luminance (WCAG 2).
static double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(AboutTest, EveryLineReadsAgainstItsBackground) {
    for (QLabel* label : about.findChildren<QLabel*>()) {
        // The white twin under the engraved line is its highlight, not a line to read.
        if (label->pixmap().isNull() && label != about.Label7) {
            SCOPED_TRACE(label->objectName().toStdString());
            const QColor ground = label->parentWidget()->palette().color(QPalette::Window);
            EXPECT_GE(contrast(textColour(label), ground), 4.5);
        }
    }
}

TEST_F(AboutTest, LabelsHaveTheirPlaceColourAndWeight) {
    for (const LabelCase& c : kLabels) {
        SCOPED_TRACE(c.name);
        auto* label = about.findChild<QLabel*>(QLatin1String(c.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(),
                  c.inPanel ? static_cast<QWidget*>(about.Panel1) : static_cast<QWidget*>(&about));
        EXPECT_EQ(label->pos(), c.position);
        EXPECT_EQ(textColour(label), c.colour);
        EXPECT_EQ(label->font().bold(), c.bold);
        EXPECT_FALSE(label->text().isEmpty());
        // Auto-sized: the whole text fits.
        EXPECT_GE(label->width(), label->sizeHint().width());
    }
    EXPECT_EQ(about.Label1->text(), QStringLiteral("Ver 1.0a"));
    EXPECT_EQ(about.Label1->font().pointSize(), 10);
    for (QLabel* panelLine : {about.Label4, about.Label5, about.Label7}) {
        EXPECT_EQ(panelLine->parentWidget(), about.Panel1);
    }
}

TEST_F(AboutTest, EngravedLineIsGreyOverItsTwinOnePixelDownRight) {
    EXPECT_EQ(about.Label8->text(), about.Label7->text());
    EXPECT_EQ(about.Label8->pos(), about.Label7->pos() + QPoint(1, 1));
    const QObjectList& siblings = about.Panel1->children();
    EXPECT_GT(siblings.indexOf(about.Label8), siblings.indexOf(about.Label7));
    EXPECT_NE(textColour(about.Label7), textColour(about.Label8));
}

TEST_F(AboutTest, PicturesAreDrawnAtNaturalSizeFromTheTopLeft) {
    const QPixmap logo = about.Image1->pixmap();
    EXPECT_EQ(logo.size(), QSize(148, 62));
    EXPECT_EQ(about.Image1->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_FALSE(about.Image1->hasScaledContents());
    const QPixmap icon = about.Image2->pixmap();
    EXPECT_EQ(icon.size(), QSize(48, 48));
    EXPECT_EQ(about.Image2->alignment(), Qt::AlignLeft | Qt::AlignTop);
    // The icon and the button lie over the logo and the panel.
    const QObjectList& children = about.children();
    EXPECT_GT(children.indexOf(about.Image2), children.indexOf(about.Image1));
    EXPECT_GT(children.indexOf(about.Button1), children.indexOf(about.Panel1));
}

TEST_F(AboutTest, ButtonHidesWithoutDestroying) {
    QPointer<TAbout_Form> guard(&about);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.Button1->text(), QStringLiteral("閉じる"));
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(guard.isNull());
    about.show();
    EXPECT_TRUE(about.isVisible());
    about.Button1Click();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutTest, CloseBoxHidesWithoutDestroying) {
    QPointer<TAbout_Form> guard(&about);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_TRUE(about.close());
    QCoreApplication::processEvents();
    EXPECT_FALSE(guard.isNull());
    EXPECT_FALSE(about.isVisible());
    about.show();
    EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutTest, ShownTwiceGivesOneWindowInFrontCentredOnTheMainWindow) {
    QMainWindow main;
    main.setGeometry(100, 120, 600, 500);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    about.showCentredOn(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    EXPECT_EQ(visibleAboutWindows(), 1);
    EXPECT_TRUE(main.isEnabled()); // not modal: the main window stays usable
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    about.showCentredOn(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    EXPECT_EQ(visibleAboutWindows(), 1);
    EXPECT_EQ(QApplication::activeWindow(), &about);
    // Once the frame is known the window is centred exactly.
    const QPoint offset = about.frameGeometry().center() - main.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 1);
}

TEST_F(AboutTest, BelongsToTheMainWindowItWasMadeFor) {
    QMainWindow main;
    main.setGeometry(100, 120, 600, 500);
    main.show();
    TAbout_Form owned(&main);
    owned.showCentredOn(&main);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owned));
    EXPECT_TRUE(owned.isWindow());
    ASSERT_NE(owned.windowHandle(), nullptr);
    EXPECT_EQ(owned.windowHandle()->transientParent(), main.windowHandle());
}

struct EdgeCase {
    const char* where;
    QPoint mainWindowAt;
};

// Main windows in each corner of the screen; the About window is wider than they are.
const EdgeCase kEdges[] = {
    {"top left", QPoint(0, 0)},
    {"top right", QPoint(-1, 0)},
    {"bottom left", QPoint(0, -1)},
    {"bottom right", QPoint(-1, -1)},
};

TEST_F(AboutTest, StaysOnTheScreenBesideAMainWindowAtItsEdge) {
    for (const EdgeCase& c : kEdges) {
        SCOPED_TRACE(c.where);
        QMainWindow main;
        main.resize(300, 100);
        const QRect free = main.screen()->availableGeometry();
        main.move(c.mainWindowAt.x() < 0 ? free.right() + 1 - 300 : free.left(),
                  c.mainWindowAt.y() < 0 ? free.bottom() + 1 - 100 : free.top());
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        about.showCentredOn(&main);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        EXPECT_TRUE(free.contains(about.frameGeometry()))
            << about.frameGeometry().x() << "," << about.frameGeometry().y();
        about.hide();
    }
}

TEST_F(AboutTest, OpenAboutWindowDoesNotKeepTheProgramAlive) {
    QMainWindow main;
    main.show();
    about.showCentredOn(&main);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    // Closing the main window must end the event loop though the About window is open;
    // after 2 s the loop is ended with a failure instead.
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, &main, &QWidget::close);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    closer.start(0);
    deadline.start(2000);
    EXPECT_EQ(QApplication::exec(), 0);
}

struct Artwork {
    const char* resource;
    QSize size;
};

const Artwork kArtwork[] = {
    {":/pictures/placeholder.png", QSize(271, 262)}, {":/pictures/logo.png", QSize(148, 62)},
    {":/pictures/about_icon.png", QSize(48, 48)},    {":/icons/main/0.png", QSize(16, 16)},
    {":/icons/main/1.png", QSize(16, 16)},           {":/icons/main/2.png", QSize(16, 16)},
    {":/icons/main/3.png", QSize(16, 16)},           {":/icons/main/4.png", QSize(16, 16)},
    {":/icons/main/5.png", QSize(16, 16)},           {":/icons/main/6.png", QSize(16, 16)},
    {":/icons/main/7.png", QSize(16, 16)},           {":/icons/main/8.png", QSize(16, 16)},
    {":/icons/popup/0.png", QSize(16, 16)},          {":/icons/popup/1.png", QSize(16, 16)},
    {":/icons/popup/2.png", QSize(16, 16)},          {":/icons/popup/3.png", QSize(16, 16)},
    {":/icons/popup/4.png", QSize(16, 16)},          {":/icons/popup/5.png", QSize(16, 16)},
    {":/icons/tabs/0.png", QSize(16, 16)},           {":/icons/tabs/1.png", QSize(16, 16)},
};

TEST(Artwork, EveryPictureIsEmbeddedAtItsSize) {
    for (const Artwork& a : kArtwork) {
        SCOPED_TRACE(a.resource);
        const QImage image(QString::fromLatin1(a.resource));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), a.size);
    }
}

TEST(Artwork, WindowIconOffersEverySize) {
    ensureApplication();
    const QIcon icon(QStringLiteral(":/icons/pintabel.ico"));
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {16, 24, 32, 48, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
}

TEST(Artwork, WindowIconHoldsItsSevenImages) {
    QImageReader reader(QStringLiteral(":/icons/pintabel.ico"));
    ASSERT_EQ(reader.imageCount(), 7);
    const QSize expected[] = {{16, 16}, {16, 16}, {16, 16},  {24, 24},
                              {32, 32}, {48, 48}, {256, 256}};
    for (int i = 0; i < 7; ++i) {
        const QSize& size = expected[i];
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), size);
    }
}

// The icon directory: a 6-byte header, then 16 bytes per image with the bit count at offset 6.
TEST(Artwork, WindowIconHasTheSmallSizeAtFourEightAndThirtyTwoBits) {
    QFile file(QStringLiteral(":/icons/pintabel.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    ASSERT_GE(data.size(), 6 + 7 * 16);
    const auto byte = [&data](int at) { return int(uchar(data[at])); };
    const struct {
        int side;
        int bits;
    } expected[] = {{16, 32}, {16, 4}, {16, 8}, {24, 32}, {32, 32}, {48, 32}, {256, 32}};
    ASSERT_EQ(byte(4) | byte(5) << 8, 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const int entry = 6 + 16 * i;
        const int side = byte(entry) == 0 ? 256 : byte(entry); // 0 stands for 256
        EXPECT_EQ(side, expected[i].side);
        EXPECT_EQ(byte(entry + 6) | byte(entry + 7) << 8, expected[i].bits);
        // Images below 256 pixels are stored as bitmaps, whose own header repeats the depth.
        const int offset = byte(entry + 12) | byte(entry + 13) << 8 | byte(entry + 14) << 16;
        ASSERT_LT(offset + 16, data.size());
        if (expected[i].side < 256) {
            EXPECT_EQ(byte(offset + 14) | byte(offset + 15) << 8, expected[i].bits);
        }
    }
}
