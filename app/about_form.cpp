// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "about_form.h"
#include "version.h"

#include "window_fit.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

// The artwork sits in a static library, which the linker keeps only when something refers to
// it; referring to it here lets this window show its pictures in any program, with or without
// the main window. Registering twice is harmless.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

const QColor kSkyBlue(166, 202, 240);
const QColor kSilver(192, 192, 192);
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
// The red and grey of the panel's lines are dark enough to read on silver (contrast of 4.5:1
// at least).
const QColor kRed(160, 0, 0);
const QColor kGrey(72, 72, 72);
const QColor kWhite(255, 255, 255);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// A label sized to its text, like the auto-sized labels of the rest of the program.
QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, QPoint at,
                 const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    setTextColour(label, colour);
    label->move(at);
    label->adjustSize();
    return label;
}

// A picture shown at its natural size from the top-left corner; the control's edge cuts it.
QLabel* addPicture(QWidget* parent, const QString& name, const QString& resource, QRect geometry) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setPixmap(QPixmap(resource));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setGeometry(geometry);
    return picture;
}

QFont withBold(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

TAbout_Form::TAbout_Form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    initResources();
    setObjectName(QStringLiteral("About_Form"));
    setWindowTitle(tr("Pintabelについて"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/about_icon.png")));
    setModal(false);
    // Closing the main window ends the program even while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(507, 156);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kSkyBlue);
    setPalette(palette);
    setAutoFillBackground(true);
    // Tahoma where it is installed; otherwise Qt substitutes the nearest font it has.
    QFont base = font();
    base.setFamilies({QStringLiteral("Tahoma"), base.family()});
    base.setPointSize(8);
    setFont(base);

    // Creation order is stacking order: later controls are drawn over earlier ones.
    Image1 = addPicture(this, QStringLiteral("Image1"), QStringLiteral(":/pictures/logo.png"),
                        QRect(18, 17, 165, 53));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(211, 17, 274, 105);
    QPalette panelPalette = Panel1->palette();
    panelPalette.setColor(QPalette::Window, kSilver);
    Panel1->setPalette(panelPalette);
    Panel1->setAutoFillBackground(true);

    Label1 = addLabel(this, QStringLiteral("Label1"), QStringLiteral("Ver " PINTABEL_VERSION),
                      {68, 76}, kNavy);
    QFont versionFont = withBold(base);
    versionFont.setPointSize(10);
    Label1->setFont(versionFont);
    Label1->adjustSize();
    Label2 = addLabel(this, QStringLiteral("Label2"), tr("Pintabel 塗り絵作成ツール"), {20, 95},
                      kMaroon);
    Label9 = addLabel(this, QStringLiteral("Label9"), QStringLiteral("© 2026 Pintabel developers"),
                      {20, 110}, kMaroon);
    Label10 = addLabel(this, QStringLiteral("Label10"), tr("家庭でも学校でも使えます"), {20, 125},
                       kMaroon);

    Label3 = addLabel(Panel1, QStringLiteral("Label3"), tr("写真から塗り絵をつくろう"), {12, 8},
                      Qt::black);
    Label3->setFont(withBold(base));
    Label3->adjustSize();
    Label4 = addLabel(Panel1, QStringLiteral("Label4"),
                      tr("写真や絵を開いて「塗り絵に変換」を選ぶと、"), {12, 30}, Qt::black);
    Label5 = addLabel(Panel1, QStringLiteral("Label5"), tr("線だけの塗り絵のページができます。"),
                      {12, 46}, Qt::black);
    Label6 = addLabel(Panel1, QStringLiteral("Label6"),
                      tr("印刷して、クレヨンでぬってみましょう！"), {12, 62}, kRed);
    // The same line twice, grey over white one pixel down and right: an engraved look.
    const QString engraved = QStringLiteral("Pintabel developers 2026");
    Label7 = addLabel(Panel1, QStringLiteral("Label7"), engraved, {12, 84}, kWhite);
    Label8 = addLabel(Panel1, QStringLiteral("Label8"), engraved, {13, 85}, kGrey);

    Image2 = addPicture(this, QStringLiteral("Image2"), QStringLiteral(":/pictures/about_icon.png"),
                        QRect(148, 8, 49, 49));

    Button1 = new QPushButton(tr("閉じる"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    // Below the panel, not over it.
    Button1->setGeometry(429, 127, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TAbout_Form::Button1Click);
    growToFitTexts();
}

// The layout is drawn for the Japanese texts; longer ones (English) widen the panel, and the
// window with it, so that no line is cut. The button stays at the window's right edge.
void TAbout_Form::growToFitTexts() {
    int panelRight = Panel1->width();
    for (const QLabel* label : Panel1->findChildren<QLabel*>())
        panelRight = std::max(panelRight, label->geometry().right() + 1 + label->x());
    int leftRight = Panel1->x();
    for (const QLabel* label : {Label1, Label2, Label9, Label10})
        leftRight = std::max(leftRight, label->geometry().right() + 1 + 8);
    const int shift = leftRight - Panel1->x();
    const int grow = shift + panelRight - Panel1->width();
    if (grow == 0)
        return;
    Panel1->setGeometry(Panel1->x() + shift, Panel1->y(), panelRight, Panel1->height());
    setFixedSize(width() + grow, height());
    Button1->move(Button1->x() + grow, Button1->y());
}

void TAbout_Form::showCentredOn(QWidget* window) {
    if (window != nullptr) {
        // The frame's size is known only once the window has been shown; the first
        // placement centres the client area's size instead.
        QRect placed(QPoint(0, 0), frameGeometry().size());
        placed.moveCenter(window->frameGeometry().center());
        // A main window near a screen edge would push part of this window off the screen.
        if (const QScreen* screen = window->screen())
            placed.moveTopLeft(keptWithin(placed, screen->availableGeometry()));
        move(placed.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void TAbout_Form::Button1Click() {
    hide();
}
