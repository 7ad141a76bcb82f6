// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Bitmap;
class QPrinter;
struct BookSettings;
struct PageChoice;
struct CleanLineChoice;
struct ColourByNumberSettings;

// Every question and message the main window puts to the user goes through this
// interface, so the window's behaviour can be driven without real modal boxes.
class Prompts {
public:
    virtual ~Prompts() = default;
    // Which button of the confirmation box Enter presses.
    enum class Default { Ok, Cancel };
    // The confirmation box "確認": true only when the user chose "OK". A question whose "OK"
    // replaces or discards something has Cancel as its default, so Enter never does that.
    virtual bool confirm(const QString& question, Default defaultButton) = 0;
    virtual void inform(const QString& message) = 0;
    // A message about something that went wrong but left the program as it was.
    virtual void warn(const QString& message) = 0;
    virtual void showError(const QString& message) = 0;
    // The open-picture dialog, choosing one file or several; an empty result means the
    // user cancelled.
    virtual QStringList openFileNames(const QString& filter) = 0;
    // The print dialog and the printer-setup dialog over printer, whose choices they
    // write back: true when the user confirmed. One that shows no dialogs cancels them.
    virtual bool printDialog(QPrinter&) { return false; }
    virtual bool printerSetupDialog(QPrinter&) { return false; }
    // The colouring-book dialog, showing settings and the open pages and writing back the
    // user's choices (the pages in the order chosen, each ticked or not): true when the
    // user confirmed. One that shows no dialog cancels it.
    virtual bool bookDialog(BookSettings&, QList<PageChoice>&) { return false; }
    // The choice of the pages to print, alike.
    virtual bool pagesDialog(QList<PageChoice>&) { return false; }
    // The save-picture dialog: opens in directory (where the platform chooses when it is
    // empty) proposing fileName, gives a name typed without an extension that of the chosen
    // file type (defaultSuffix before one is chosen) and asks before an existing file is
    // replaced. filter is in Qt's syntax, its first entry selected. An empty result means
    // the user cancelled.
    virtual QString saveFileName(const QString& directory, const QString& fileName,
                                 const QString& defaultSuffix, const QString& filter) = 0;
    // The save dialog, alike, but leaving the question about an existing file to the caller.
    virtual QString exportFileName(const QString& directory, const QString& fileName,
                                   const QString& defaultSuffix, const QString& filter) {
        return saveFileName(directory, fileName, defaultSuffix, filter);
    }
    // The clean-lines dialog over page, showing choice first and writing back what the user
    // chose, also when they cancel (it is offered again): true when confirmed. One that
    // shows no dialogs cancels it.
    virtual bool cleanLinesDialog(const Bitmap&, CleanLineChoice&) { return false; }
    // The colour-by-number dialog over page, alike.
    virtual bool colourByNumberDialog(const Bitmap&, ColourByNumberSettings&) { return false; }
    // The sound of a command refused for the moment.
    virtual void beep() = 0;
};
