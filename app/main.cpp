#include "about_form.h"
#include "metafile_process.h"
#include "qt_prompts.h"
#include "qv_printers.h"
#include "tform1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pintabel"));
    // Metafile converters run in a child process, away from the open pages.
    if (const QString renderer = findMetafileRenderer(); !renderer.isEmpty())
        setMetafileRenderer(renderer);
    QtPrompts prompts;
    // The printer service outlives the window, which prints through it.
    TQvPrinter printerService;
    TForm1 form(prompts);
    form.show();
    TAbout_Form about;
    form.setAboutForm(&about);
    return app.exec();
}
