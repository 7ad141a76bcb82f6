// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "about_form.h"
#include "application_setup.h"
#include "metafile_process.h"
#include "qt_prompts.h"
#include "qv_printers.h"
#include "tform1.h"
#include "ui_language.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pintabel"));
    // Metafile converters run in a child process, away from the open pages.
    setMetafileRenderer(findMetafileRenderer());
    const UiTranslations translations(systemUiLanguage());
    const RunOnlySettings settings;
    QtPrompts prompts;
    // The printer service outlives the window, which prints through it.
    TQvPrinter printerService;
    TForm1 form(prompts);
    prompts.setOwner(&form);
    form.show();
    TAbout_Form about(&form);
    form.setAboutForm(&about);
    // Files named on the command line open, as a drop would, once the window manager has
    // put the window on screen: a message about them is centred on the window then, not on
    // where the window was before it was placed.
    const QStringList files = QApplication::arguments().mid(1);
    auto* placed = new QTimer(&form);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(placed, &QTimer::timeout, &form, [&form, files, placed, waited] {
        const QWindow* window = form.windowHandle();
        if (window && !window->isExposed() && waited.elapsed() < 2000)
            return;
        placed->stop();
        placed->deleteLater();
        form.openCommandLine(files);
    });
    placed->start(20);
    return app.exec();
}
