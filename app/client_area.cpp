// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "client_area.h"

TClientArea::TClientArea(QWidget* parent) : QWidget(parent) {}

void TClientArea::resizeEvent(QResizeEvent*) {
    for (QObject* child : children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
            widget->setGeometry(rect());
}

void TClientArea::mousePressEvent(QMouseEvent* event) {
    m_click.press(*event);
}

void TClientArea::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click.release(*event, rect()))
        emit clicked();
}
