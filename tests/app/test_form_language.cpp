// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "about_form.h"
#include "form_fixture.h"
#include "ui_language.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

struct LanguageCase {
    UiLanguage language;
    const char* fileMenu;
    const char* open;
    const char* lighter;
    const char* aboutTitle;
    const char* qtCancel; // Qt's own button, from Qt's translations
    const char* unsupportedSave;
    const char* placeholder;   // its words are drawn in the picture
    bool accessKeyForEachItem; // one of its own within its menu
};

const LanguageCase kLanguages[] = {
    {UiLanguage::Japanese, "ファイル(&F)", "開く(&O)", "色を薄くする", "Pintabelについて",
     "キャンセル", "保存ファイルはJpeg,BMPのみ対応です。", ":/pictures/placeholder.png", false},
    {UiLanguage::English, "&File", "&Open...", "Make L&ighter", "About Pintabel", "&Cancel",
     "Only JPEG and BMP files can be saved.", ":/pictures/placeholder_en.png", true},
};

// The window is built, and speaks, in the language installed when it is made.
TEST_F(FormTest, TheWindowSpeaksTheChosenLanguage) {
    for (const LanguageCase& c : kLanguages) {
        SCOPED_TRACE(c.fileMenu);
        const UiTranslations translations(c.language);
        prompts.informed.clear();
        form = std::make_unique<TForm1>(prompts);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

        EXPECT_EQ(form->File1->title(), QString::fromUtf8(c.fileMenu));
        EXPECT_EQ(form->Open1->text(), QString::fromUtf8(c.open));
        EXPECT_EQ(form->N9->text(), QString::fromUtf8(c.lighter));
        EXPECT_EQ(form->Image1->pixmap().toImage(),
                  QImage(QLatin1String(c.placeholder))
                      .convertToFormat(form->Image1->pixmap().toImage().format()));
        if (c.accessKeyForEachItem) {
            for (const QMenu* menu : {form->File1, form->PopupMenu1}) {
                QList<QKeySequence> keys;
                for (const QAction* action : menu->actions()) {
                    if (action->isSeparator())
                        continue;
                    const QKeySequence key = QKeySequence::mnemonic(action->text());
                    EXPECT_FALSE(key.isEmpty()) << action->text().toStdString();
                    EXPECT_FALSE(keys.contains(key)) << action->text().toStdString();
                    keys.append(key);
                }
            }
        }

        // A message made by the file layer and shown by the window.
        open(picture(QStringLiteral("p.png"), 40, 30));
        prompts.filesToSave = {folder.filePath(QStringLiteral("p.gif"))};
        form->SaveAs1->trigger();
        EXPECT_EQ(prompts.informed, QStringList{QString::fromUtf8(c.unsupportedSave)});

        if (translations.qtTextsInstalled()) {
            const QDialogButtonBox box(QDialogButtonBox::Cancel);
            EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.qtCancel));
        }

        // The About window grows with its texts: no line is cut by its panel or the window.
        TAbout_Form about;
        EXPECT_EQ(about.windowTitle(), QString::fromUtf8(c.aboutTitle));
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            SCOPED_TRACE(label->text().toStdString());
            const QWidget* parent = label->parentWidget();
            EXPECT_TRUE(parent->rect().contains(label->geometry()));
            if (parent != &about) {
                EXPECT_FALSE(label->geometry()
                                 .translated(parent->pos())
                                 .intersects(about.Button1->geometry()));
            }
        }
        EXPECT_TRUE(about.rect().contains(about.Button1->geometry()));
        form.reset();
    }
}

} // namespace
