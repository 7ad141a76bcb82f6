#include "qt_prompts.h"

#include "picture_open_dialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString boxTitle() {
    return QApplication::applicationName();
}

} // namespace

QWidget* QtPrompts::owner() const {
    return m_owner ? m_owner.data() : QApplication::activeWindow();
}

bool QtPrompts::confirm(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), question, QMessageBox::NoButton,
                    owner());
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    // Closing the box any other way than with "OK" counts as cancelling.
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

void QtPrompts::inform(const QString& message) {
    QMessageBox box(QMessageBox::Information, boxTitle(), message, QMessageBox::Ok, owner());
    box.exec();
}

void QtPrompts::showError(const QString& message) {
    QMessageBox box(QMessageBox::Critical, boxTitle(), message, QMessageBox::Ok, owner());
    box.exec();
}

QString QtPrompts::openFileName(const QString& filter) {
    PictureOpenDialog dialog(filter, owner());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.chosenFile();
}

void QtPrompts::beep() {
    QApplication::beep();
}
