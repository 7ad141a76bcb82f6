#include "about_form.h"
#include "application_setup.h"
#include "metafile_process.h"
#include "qt_prompts.h"
#include "qv_printers.h"
#include "tform1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pintabel"));
    // Metafile converters run in a child process, away from the open pages.
    setMetafileRenderer(findMetafileRenderer());
    installQtJapanese(app);
    const RunOnlySettings settings;
    QtPrompts prompts;
    // The printer service outlives the window, which prints through it.
    TQvPrinter printerService;
    TForm1 form(prompts);
    prompts.setOwner(&form);
    form.show();
    TAbout_Form about(&form);
    form.setAboutForm(&about);
    // Files named on the command line open once the event loop runs, as a drop would.
    const QStringList files = QApplication::arguments().mid(1);
    QTimer::singleShot(0, &form, [&form, files] { form.openCommandLine(files); });
    return app.exec();
}
