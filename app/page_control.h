// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QTabBar>
#include <QTabWidget>

class QFontMetrics;

// The tabs of the open pages. A file name too long for its tab is shortened in the middle
// and keeps its extension, so pages of the same photo in different formats stay apart.
class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
};

class TPageTabBar : public QTabBar {
    Q_OBJECT
public:
    using QTabBar::QTabBar;
    // Tab index's title as it is drawn, shortened to the room its tab has.
    QString shownTitle(int index) const;

protected:
    void initStyleOption(QStyleOptionTab* option, int tabIndex) const override;
    // Room for the extension besides the few letters Qt keeps of a name at the least, up to
    // the whole title's width.
    QSize minimumTabSizeHint(int index) const override;
};

// name shortened to room pixels: the middle of the part before the extension gives way.
QString elidedFileName(const QFontMetrics& metrics, const QString& name, int room);
