// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>

#include <memory>
#include <vector>

class QTranslator;

// The program's texts are written in Japanese; everyone else reads them in English.
enum class UiLanguage { Japanese, English };

// Japanese when the first of the user's languages (most preferred first, as
// QLocale::uiLanguages gives them) is Japanese; English otherwise, the C locale included.
UiLanguage uiLanguageFor(const QStringList& uiLanguages);
// The choice for the user running the program: LANGUAGE, LC_ALL, LC_MESSAGES and LANG decide.
UiLanguage systemUiLanguage();

// While it exists, the application speaks the language: the program's English texts when
// English, and Qt's own dialogs and buttons in that language where Qt's translations are
// installed. Needs the application object.
class UiTranslations {
public:
    explicit UiTranslations(UiLanguage language);
    ~UiTranslations();
    UiTranslations(const UiTranslations&) = delete;
    UiTranslations& operator=(const UiTranslations&) = delete;

    // False when Qt's own texts for the language are not installed.
    bool qtTextsInstalled() const { return m_qtTexts; }

private:
    std::vector<std::unique_ptr<QTranslator>> m_translators;
    bool m_qtTexts = false;
};
