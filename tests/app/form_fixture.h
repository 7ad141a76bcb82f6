// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "bitmap.h"
#include "book_settings.h"
#include "clean_lines_dialog.h"
#include "colour_by_number.h"
#include "page_choice.h"
#include "page_image.h"
#include "prompts.h"
#include "tform1.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

// Answers the window's questions as a test scripts them, and records everything asked.
class ScriptedPrompts : public Prompts {
public:
    bool confirm(const QString& question, Default defaultButton) override;
    void inform(const QString& message) override { informed.append(message); }
    void warn(const QString& message) override { warned.append(message); }
    void showError(const QString& message) override { errors.append(message); }
    QStringList openFileNames(const QString& filter) override;
    bool printDialog(QPrinter&) override { return dialogAnswer(QStringLiteral("print")); }
    bool printerSetupDialog(QPrinter&) override { return dialogAnswer(QStringLiteral("setup")); }
    bool bookDialog(BookSettings& settings, QList<PageChoice>& pages) override;
    bool pagesDialog(QList<PageChoice>& pages) override;
    bool dialogAnswer(const QString& dialog);
    QString saveFileName(const QString& directory, const QString& fileName,
                         const QString& defaultSuffix, const QString& filter) override;
    void beep() override { ++beeps; }
    // Answers with cleanLinesAnswer (cancelling after choosing it when cancelConversion is
    // set), or cancels when there is none.
    bool cleanLinesDialog(const Bitmap&, CleanLineChoice& choice) override {
        cleanLinesOffered.append(choice);
        if (cleanLinesAnswer)
            choice = *cleanLinesAnswer;
        return cleanLinesAnswer.has_value() && !cancelConversion;
    }

    // Answers with colourByNumberAnswer, alike.
    bool colourByNumberDialog(const Bitmap&, ColourByNumberSettings& settings) override {
        colourByNumberOffered.append(settings);
        if (colourByNumberAnswer)
            settings = *colourByNumberAnswer;
        return colourByNumberAnswer.has_value() && !cancelConversion;
    }

    std::function<bool(const QString&)> answer = [](const QString&) { return true; };
    QStringList questions;
    QList<Default> questionDefaults; // the default button of each question asked
    QStringList informed;
    QStringList warned;
    QStringList errors;
    QStringList filters;
    QList<QStringList> filesToOpen; // answered in order; none left means "cancel"

    // What the colouring-book dialog last showed, and what the user chooses in it when
    // confirming it.
    BookSettings bookShown;
    BookSettings bookChoice;
    // The pages the book or print-all dialog last listed, and what the user makes of them
    // there when confirming it (nothing: all as listed).
    QList<PageChoice> pagesShown;
    std::function<void(QList<PageChoice>&)> choosePages = [](QList<PageChoice>&) {};
    // The dialogs shown ("print", "setup", "book" or "pages"), and whether the user confirms them.
    QStringList dialogsShown;
    bool confirmDialogs = true;
    struct SaveDialog {
        QString directory, fileName, defaultSuffix, filter;
    };
    QList<SaveDialog> saveDialogs;
    QStringList filesToSave; // answered in order; none left means "cancel"
    int beeps = 0;
    std::optional<CleanLineChoice> cleanLinesAnswer;
    QList<CleanLineChoice> cleanLinesOffered;
    std::optional<ColourByNumberSettings> colourByNumberAnswer;
    QList<ColourByNumberSettings> colourByNumberOffered;
    bool cancelConversion = false;
};

// A real main window on the offscreen platform with scripted prompts, and a folder for
// the pictures a test makes.
class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes a picture of one colour, or with a vertical edge when edge is set, and gives
    // its path.
    QString picture(const QString& name, int width, int height, QRgb colour = qRgb(90, 140, 200),
                    QImage::Format format = QImage::Format_RGB32);
    QString textFile(const QString& name);
    // Opens the files through the Open command.
    void open(const QStringList& paths);
    void open(const QString& path) { open(QStringList{path}); }
    // Drops the files on the window the way a file manager does.
    void drop(const QStringList& paths);
    // Drops a file that a loader reads as a 0 x 0 picture: no file the program reads gives
    // one, but the commands must still cope with an empty page.
    void dropEmptyPicture(const QString& name);
    // Clicks the picture of the active page.
    void clickPage();
    // Posts a click on the picture of the active page, to be handled inside a pixel loop.
    void postClickOnPage();
    TPageImage* page(int i) const { return form->Store.PageImages[size_t(i)]; }
    Bitmap& picture(int i) const { return page(i)->picture(); }
    // The area that shows the active page's picture.
    QSize pageArea() const;

    ScriptedPrompts prompts;
    std::unique_ptr<TForm1> form;
    QTemporaryDir folder;
    // Where the window keeps its settings between runs during the test.
    QTemporaryDir keptFolder;
};

// Sizes read as "W x H" in failure messages.
inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << " x " << size.height();
}

// Whole-picture equality: size, depth and every pixel.
bool samePicture(const Bitmap& a, const Bitmap& b);
