// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

UiLanguage uiLanguageFor(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty())
        return UiLanguage::English;
    return QLocale(uiLanguages.first()).language() == QLocale::Japanese ? UiLanguage::Japanese
                                                                        : UiLanguage::English;
}

UiLanguage systemUiLanguage() {
    return uiLanguageFor(QLocale::system().uiLanguages());
}

UiTranslations::UiTranslations(UiLanguage language) {
    auto install = [this](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(name, folder) ||
            !QCoreApplication::installTranslator(translator.get()))
            return false;
        m_translators.push_back(std::move(translator));
        return true;
    };
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == UiLanguage::Japanese) {
        m_qtTexts = install(QStringLiteral("qtbase_ja"), qtFolder);
        return;
    }
    install(QStringLiteral("pintabel_en"), QStringLiteral(":/i18n"));
    m_qtTexts = install(QStringLiteral("qtbase_en"), qtFolder);
}

// The translators remove themselves from the application as they go.
UiTranslations::~UiTranslations() = default;
