// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "book_settings.h"
#include "page_store.h"
#include "pixel_loop.h"
#include "print_dialogs.h"
#include "tone.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Bitmap;
class Prompts;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class TAbout_Form;
class TClientArea;
class TPageImage;
struct PageChoice;
struct PageLines;

// The main window: the tabs of the open pages and every command on them. Its work is
// split over files by subsystem: tform1.cpp (construction, menus, enable rules, command
// dispatch), tform1_pages.cpp (page store commands), tform1_view.cpp (sizing, clicks,
// About, exit), tform1_files.cpp (open and drop), tform1_save.cpp (saving),
// tform1_processing.cpp (pixel loops), tform1_printing.cpp (print and printer setup),
// tform1_book.cpp (the PDF colouring book).
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Reads a picture file into a bitmap; false when the file could not be decoded.
    using PictureLoader = bool (*)(const QString& path, Bitmap& bitmap);

    // The outer size at start-up and after the last page has closed.
    static constexpr int InitialWidth = 360;
    static constexpr int InitialHeight = 422;
    // The narrowest the window's client area gets: the menu and the tabs stay usable.
    static constexpr int MinimumClientWidth = 200;

    explicit TForm1(Prompts& prompts, QWidget* parent = nullptr);
    ~TForm1() override;

    void setAboutForm(TAbout_Form* about) { About_Form = about; }
    void setPictureLoader(PictureLoader loader) { m_loader = loader; }

    // Commands, as the menus and events call them (errors are shown, never thrown).
    void File_Open_Nemu_ON();
    void Close_ON();
    void Undo_Click();
    void Change_Nurie();
    // Asks how (through the clean-lines dialog) and turns the active page into clean lines.
    void convertToCleanLines();
    void convertToColourByNumber();
    void Egg_Plus_ON();
    void Egg_Minus_ON();
    void Zoom_Real_Size();
    void Smoll_Show();
    void FormClick();
    void PageControl1Change();
    void Exit1Click();
    void About_Pintabel1Click();
    void WMDropFiles(const QStringList& paths);
    void Printing();
    void PrintSetup1Click();
    // Prints the pages the user picks, in the order chosen, in one job.
    void PrintAll1Click();
    // Writes every open page, in tab order, into one PDF colouring book.
    void SaveBook1Click();
    void SaveAs1Click();
    // Writes the active page as PNG, or as PDF laid out on one sheet as the book lays out a
    // page, asking before a file is replaced.
    void Export1Click();
    void Save_OverWrite();
    // Opens the files named when the program was started, as if they had been dropped.
    void openCommandLine(const QStringList& arguments);

    // Operations the commands share.
    // The new page's image control, or nullptr when the file could not be read (it is
    // then listed for the command's message and no page is made).
    TPageImage* CreateImage(int Index, const QString& FileName);
    void FitWindowToPage(int Width);
    void CustomFilter();
    void ToneFilter(TImageProcessing& processor);
    void PrintOut();
    // Writes the active page as JPEG to path with its extension made ".jpg".
    void Save4Jpeg(const QString& path);

    // The outer size of the window, frame included.
    QSize outerSize() const;
    void setOuterSize(QSize size);
    // The tab image index (into ImageList3) of tab i.
    int tabImageIndex(int i) const;

    // Components, under the names the program's commands use.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Export1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintAll1 = nullptr;
    QAction* SaveBook1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* N4 = nullptr;
    QAction* CleanLines1 = nullptr;
    QAction* ColourByNumber1 = nullptr;
    QAction* N5 = nullptr;
    QAction* N6 = nullptr;
    QAction* N9 = nullptr;
    QAction* N10 = nullptr;
    QAction* N11 = nullptr;
    QAction* N12 = nullptr;
    QAction* N13 = nullptr;
    QAction* N14 = nullptr;
    QList<QIcon> ImageList1;
    QList<QIcon> ImageList2;
    QTabWidget* PageControl1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QAction* About_Pintabel1 = nullptr;
    QAction* N7 = nullptr;
    QList<QIcon> ImageList3;
    QLabel* Image1 = nullptr;
    TGammaImage ToneObject;
    TQvPrintDialog QvPrintDialog1;
    TQvPrinterSetupDialog QVPrinterSetupDialog1;

    PageStore Store;
    QProgressBar* StatusProgress = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    QRect availableRoom() const;
    void keepOnScreen();
    void showStartSize();
    void showPopupFromKeyboard();
    // While a pixel loop runs on any page, commands that would process, replace or free a
    // page are refused with a beep.
    bool refusedWhileLoopRuns();
    void createMenus();
    void createPageArea();
    void setPageCommandsEnabled(bool enabled);
    // "name – Pintabel" for the active page's file, the program's name alone without one.
    void showActivePageInTitle();
    // Makes the tab step places on active, going round at either end.
    void stepTab(int step);
    void setTabImageIndex(QWidget* sheet, int index);
    int activePage() const;
    TPageImage* activeImage() const;
    // Whether a command may process, replace or free the active page: there is one, and
    // no pixel loop runs (refused with a beep otherwise).
    bool canReplaceActivePage();
    // Replaces page by what work makes of source, as a conversion: the work runs on a thread
    // of its own with progress over stages (abandoning takes effect between them), and undo
    // gives source back. sheet, the page's tab, is marked converted; step names the
    // conversion when it cannot be carried through.
    struct Converted {
        Bitmap picture;
        // The lines the conversion drew, when a book may draw them again.
        std::shared_ptr<const PageLines> lines;
    };
    using Conversion = std::function<std::optional<Converted>(const PixelLoop::Reach&)>;
    void convertOnWorker(const QPointer<QWidget>& sheet, const QPointer<TPageImage>& page,
                         const Bitmap& source, int stages, const QString& step,
                         const Conversion& work);
    // Opens each file as a page, as far as the page store has room, fits the window to the
    // last and says once what could not be opened.
    void openPages(const QStringList& paths);
    // One message for the files a command could not open (unreadable, or refused with
    // an error), and one if the page store was full.
    void reportPagesNotOpened(const QStringList& unreadable, const QStringList& errors,
                              bool refusedForLack);
    // Writes pages (those still open when their turn comes) as a PDF colouring book at
    // name, with progress; abandoning drops the book and leaves any file there as it was.
    // A numbered book numbers only the pages photos marks as photographs not yet converted.
    void writeBook(const QString& name, const BookSettings& settings,
                   const QList<QPointer<TPageImage>>& pages, const QString& title,
                   const QList<bool>& photos = {});
    // Writes the drawing a conversion made of page as an SVG at name, traced on the worker;
    // abandoning leaves any file there as it was.
    void writeDrawing(const QString& name, const QPointer<TPageImage>& page);
    // True when nothing is at name, or the user agrees to replace it (the question's
    // default is to keep it).
    bool mayReplace(const QString& name);
    // The open pages as a list to choose from, every page ticked, in tab order.
    QList<PageChoice> openPageChoices() const;
    // True when no page holds changes not yet saved, or the user agrees to lose them.
    bool mayDiscardUnsavedPages();
    // Busy: a command on the page's picture, which may take a while on a large one.
    enum Feedback { Quick, Busy };
    void connectCommand(QAction* action, void (TForm1::*command)(), Feedback feedback = Quick);
    void run(const std::function<void()>& command);

    Prompts& m_prompts;
    PictureLoader m_loader;
    TClientArea* m_client = nullptr;
    TAbout_Form* About_Form = nullptr;
    // Tab changes made by the program itself must not refit the window.
    bool m_changingTabs = false;
    // Files of the running command that could not be decoded.
    QStringList m_unreadable;
    PixelLoops m_loops{*this};
    // The colouring book's settings as last chosen.
    BookSettings m_bookSettings;
    bool m_shown = false;
    // The start-up size is given again once a window manager has put its frame around.
    bool m_startupSizePending = true;
};
