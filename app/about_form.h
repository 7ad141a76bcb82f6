// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About window: logo, version, credits and a close button on a sky-blue ground. It is
// created once, hidden, and only ever shown and hidden again, never modal.
class TAbout_Form : public QDialog {
    Q_OBJECT
public:
    explicit TAbout_Form(QWidget* parent = nullptr);

    // Centres the window on `window` and shows it without blocking that window; a second call
    // while it is open brings it to the front.
    void showCentredOn(QWidget* window);
    void Button1Click();

    QLabel* Image1 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;

private:
    void growToFitTexts();
};
