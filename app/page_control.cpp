// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "page_control.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionTab>

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new TPageTabBar(this));
    // The tabs' smallest sizes are measured with Qt's own shortening.
    setElideMode(Qt::ElideMiddle);
}

void TPageTabBar::initStyleOption(QStyleOptionTab* option, int tabIndex) const {
    QTabBar::initStyleOption(option, tabIndex);
    const QRect room = style()->subElementRect(QStyle::SE_TabBarTabText, option, this);
    option->text = elidedFileName(option->fontMetrics, tabText(tabIndex), room.width());
}

QString TPageTabBar::shownTitle(int index) const {
    QStyleOptionTab option;
    initStyleOption(&option, index);
    return option.text;
}

QSize TPageTabBar::minimumTabSizeHint(int index) const {
    const QString name = tabText(index);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const int extension = dot > 0 ? fontMetrics().horizontalAdvance(name.mid(dot)) : 0;
    // Never wider than the whole title needs: a tab wider than its hint would not fit the
    // bar the tab widget sizes by the hints, and a short name would get cut and scroll.
    const QSize least = QTabBar::minimumTabSizeHint(index) + QSize(extension, 0);
    return least.boundedTo(tabSizeHint(index));
}

QString elidedFileName(const QFontMetrics& metrics, const QString& name, int room) {
    if (metrics.horizontalAdvance(name) <= room)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return metrics.elidedText(name, Qt::ElideMiddle, room);
    const QString extension = name.mid(dot);
    QString stem = metrics.elidedText(name.left(dot), Qt::ElideMiddle,
                                      room - metrics.horizontalAdvance(extension));
    if (stem.isEmpty())
        stem = QStringLiteral("…");
    return stem + extension;
}
