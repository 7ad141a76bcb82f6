// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "form_fixture.h"

#include "image_loader.h"
#include "kept_settings.h"

#include "test_application.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

bool ScriptedPrompts::confirm(const QString& question, Default defaultButton) {
    questions.append(question);
    questionDefaults.append(defaultButton);
    return answer(question);
}

QStringList ScriptedPrompts::openFileNames(const QString& filter) {
    filters.append(filter);
    return filesToOpen.isEmpty() ? QStringList() : filesToOpen.takeFirst();
}

bool ScriptedPrompts::dialogAnswer(const QString& dialog) {
    dialogsShown.append(dialog);
    return confirmDialogs;
}

bool ScriptedPrompts::bookDialog(BookSettings& settings, QList<PageChoice>& pages) {
    bookShown = settings;
    pagesShown = pages;
    if (!dialogAnswer(QStringLiteral("book")))
        return false;
    settings = bookChoice;
    choosePages(pages);
    return true;
}

bool ScriptedPrompts::pagesDialog(QList<PageChoice>& pages) {
    pagesShown = pages;
    if (!dialogAnswer(QStringLiteral("pages")))
        return false;
    choosePages(pages);
    return true;
}

QString ScriptedPrompts::saveFileName(const QString& directory, const QString& fileName,
                                      const QString& defaultSuffix, const QString& filter) {
    saveDialogs.append({directory, fileName, defaultSuffix, filter});
    return filesToSave.isEmpty() ? QString() : filesToSave.takeFirst();
}

void FormTest::SetUpTestSuite() {
    ensureApplication();
}

void FormTest::SetUp() {
    ASSERT_TRUE(folder.isValid());
    // Each test starts with nothing kept from an earlier one.
    KeptSettings::useFile(keptFolder.filePath(QStringLiteral("kept.ini")));
    form = std::make_unique<TForm1>(prompts);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void FormTest::TearDown() {
    form.reset();
    QCoreApplication::processEvents();
}

QString FormTest::picture(const QString& name, int width, int height, QRgb colour,
                          QImage::Format format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    if (format != QImage::Format_RGB32)
        image = image.convertToFormat(format);
    const QString path = folder.filePath(name);
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return path;
}

QString FormTest::textFile(const QString& name) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture\n");
    return path;
}

void FormTest::open(const QStringList& paths) {
    prompts.filesToOpen.append(paths);
    form->Open1->trigger();
}

void FormTest::dropEmptyPicture(const QString& name) {
    form->setPictureLoader([](const QString&, Bitmap& bitmap) {
        bitmap = Bitmap(0, 0, 24);
        return true;
    });
    drop({textFile(name)});
    form->setPictureLoader(&ImageLoaderGP);
}

void FormTest::drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPoint at = form->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &dropped);
}

void FormTest::clickPage() {
    QWidget* image = page(form->PageControl1->currentIndex());
    QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, image->rect().center());
}

void FormTest::postClickOnPage() {
    QWidget* image = page(form->PageControl1->currentIndex());
    const QPointF at = image->rect().center();
    const QPointF global = image->mapToGlobal(at);
    QCoreApplication::postEvent(image,
                                new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(image,
                                new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

QSize FormTest::pageArea() const {
    return page(form->PageControl1->currentIndex())->size();
}

bool samePicture(const Bitmap& a, const Bitmap& b) {
    return a.depth() == b.depth() && a.image() == b.image();
}
