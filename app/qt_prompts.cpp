// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "qt_prompts.h"

#include "book_dialog.h"
#include "clean_lines_dialog.h"
#include "colour_by_number_dialog.h"
#include "page_choice_list.h"
#include "picture_open_dialog.h"
#include "picture_save_dialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString boxTitle() {
    return QApplication::applicationName();
}

// A command that shows the busy cursor may still ask something: the question gets the
// ordinary pointer while it is open.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() : m_busy(QGuiApplication::overrideCursor() != nullptr) {
        if (m_busy)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking() {
        if (m_busy)
            QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool m_busy;
};

// One page per job, the whole picture: page ranges, selection and printing to a file are
// not offered.
bool runPrintDialog(QPrinter& printer, QWidget* parent, const QString& title,
                    const QString& confirmCaption) {
    QPrintDialog dialog(&printer, parent);
    for (auto option :
         {QAbstractPrintDialog::PrintToFile, QAbstractPrintDialog::PrintSelection,
          QAbstractPrintDialog::PrintPageRange, QAbstractPrintDialog::PrintCurrentPage})
        dialog.setOption(option, false);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    if (!confirmCaption.isEmpty())
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(confirmCaption);
    const ArrowWhileAsking arrow;
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

QWidget* QtPrompts::owner() const {
    return m_owner ? m_owner.data() : QApplication::activeWindow();
}

bool QtPrompts::confirm(const QString& question, Default defaultButton) {
    // Questions break their lines with "\r\n"; a Qt label breaks at "\n" alone.
    QString text = question;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("QtPrompts", "確認"), text,
                    QMessageBox::NoButton, owner());
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("QtPrompts", "キャンセル"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(defaultButton == Default::Ok ? ok : cancel);
    // Closing the box any other way than with "OK" counts as cancelling.
    box.setEscapeButton(cancel);
    const ArrowWhileAsking arrow;
    box.exec();
    return box.clickedButton() == ok;
}

void QtPrompts::inform(const QString& message) {
    showMessage(QMessageBox::Information, message);
}

void QtPrompts::warn(const QString& message) {
    showMessage(QMessageBox::Warning, message);
}

void QtPrompts::showError(const QString& message) {
    showMessage(QMessageBox::Critical, message);
}

void QtPrompts::showMessage(QMessageBox::Icon icon, const QString& message) {
    QMessageBox box(icon, boxTitle(), message, QMessageBox::Ok, owner());
    const ArrowWhileAsking arrow;
    box.exec();
}

QStringList QtPrompts::openFileNames(const QString& filter) {
    PictureOpenDialog dialog(filter, owner());
    const ArrowWhileAsking arrow;
    if (dialog.exec() != QDialog::Accepted)
        return QStringList();
    return dialog.selectedFiles();
}

bool QtPrompts::printDialog(QPrinter& printer) {
    return runPrintDialog(printer, owner(), QString(), QString());
}

// Printer and paper are chosen as for printing, but confirming only keeps the settings.
bool QtPrompts::printerSetupDialog(QPrinter& printer) {
    return runPrintDialog(printer, owner(),
                          QCoreApplication::translate("QtPrompts", "プリンタの設定"),
                          QStringLiteral("OK"));
}

bool QtPrompts::bookDialog(BookSettings& settings, QList<PageChoice>& pages) {
    BookDialog dialog(settings, pages, owner());
    const ArrowWhileAsking arrow;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.settings();
    pages = dialog.pages();
    return true;
}

bool QtPrompts::pagesDialog(QList<PageChoice>& pages) {
    QDialog dialog(owner());
    dialog.setWindowTitle(QCoreApplication::translate("QtPrompts", "印刷するページ"));
    auto* list = new PageChoiceList(pages, &dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("QtPrompts", "キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &PageChoiceList::ticksChanged, buttons, [list, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!chosenPages(list->choices()).isEmpty());
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    const ArrowWhileAsking arrow;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    pages = list->choices();
    return true;
}

QString QtPrompts::saveFileName(const QString& directory, const QString& fileName,
                                const QString& defaultSuffix, const QString& filter) {
    PictureSaveDialog dialog(directory, fileName, defaultSuffix, filter, owner());
    const ArrowWhileAsking arrow;
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.chosenFile();
}

QString QtPrompts::exportFileName(const QString& directory, const QString& fileName,
                                  const QString& defaultSuffix, const QString& filter) {
    PictureSaveDialog dialog(directory, fileName, defaultSuffix, filter, owner());
    dialog.setWindowTitle(QCoreApplication::translate("QtPrompts", "書き出し"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const ArrowWhileAsking arrow;
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.chosenFile();
}

void QtPrompts::beep() {
    QApplication::beep();
}

bool QtPrompts::cleanLinesDialog(const Bitmap& page, CleanLineChoice& choice) {
    CleanLinesDialog dialog(page, choice, owner());
    const ArrowWhileAsking arrow;
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    choice = dialog.choice();
    return confirmed;
}

bool QtPrompts::colourByNumberDialog(const Bitmap& page, ColourByNumberSettings& settings) {
    ColourByNumberDialog dialog(page, settings, owner());
    const ArrowWhileAsking arrow;
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    settings = dialog.settings();
    return confirmed;
}
