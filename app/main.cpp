#include "about_form.h"
#include "application_setup.h"
#include "qt_prompts.h"
#include "tform1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pintabel"));
    installQtJapanese(app);
    const RunOnlySettings settings;
    QtPrompts prompts;
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
