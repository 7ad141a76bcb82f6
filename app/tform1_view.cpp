// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "tform1.h"

#include "about_form.h"
#include "client_area.h"
#include "page_image.h"
#include "prompts.h"
#include "window_fit.h"

#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>

void TForm1::FitWindowToPage(int Width) {
    TPageImage* image = activeImage();
    if (!image)
        return;
    m_startupSizePending = false;
    const QWidget* sheet = PageControl1->currentWidget();
    // The tab row and the tab frame stay the same whatever the page's size.
    const QSize tabFrame = PageControl1->size() - sheet->size();
    WindowLayout now;
    now.frame = outerSize() - m_client->size() + tabFrame;
    now.pageArea = sheet->size();
    now.available = availableRoom().size();
    now.minimumPageWidth = m_client->minimumWidth() - tabFrame.width();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    now.scrollBars = QSize(bar, bar);
    const FittedWindow fitted = fitWindowToPicture(now, Width, image->picture().image().size());

    PageControl1->hide();
    // A page larger than the window allows keeps its size inside its sheet's scroll bars;
    // the others fill their sheet.
    for (int i = 0; i < Store.PageCount; ++i)
        if (TPageImage* other = Store.PageImages[size_t(i)])
            other->setMinimumSize(0, 0);
    if (fitted.scrolls)
        image->setMinimumSize(fitted.pageArea.boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)));
    setOuterSize(fitted.outer);
    keepOnScreen();
    repaint();
    PageControl1->show();
}

QRect TForm1::availableRoom() const {
    const QScreen* on = screen();
    return on ? on->availableGeometry()
              : QRect(QPoint(0, 0), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void TForm1::keepOnScreen() {
    const QPoint at = keptWithin(QRect(frameGeometry().topLeft(), outerSize()), availableRoom());
    if (at != frameGeometry().topLeft())
        move(at);
}

void TForm1::showStartSize() {
    setOuterSize(QSize(InitialWidth, InitialHeight));
}

void TForm1::FormClick() {
    if (Store.Converting) {
        if (m_prompts.confirm(tr("変換処理を中断しますか？"), Prompts::Default::Ok))
            Store.AbortRequested = true;
        return;
    }
    if (Store.HasPage && PageControl1->count() > 0)
        FitWindowToPage(-1);
}

void TForm1::PageControl1Change() {
    FitWindowToPage(300);
}

void TForm1::Zoom_Real_Size() {
    if (const TPageImage* image = activeImage())
        FitWindowToPage(image->picture().width());
}

void TForm1::Smoll_Show() {
    FitWindowToPage(300);
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::About_Pintabel1Click() {
    if (About_Form)
        About_Form->showCentredOn(this);
}

void TForm1::showPopupFromKeyboard() {
    const TPageImage* image = activeImage();
    if (!image || !PageControl1->isVisible())
        return;
    // Where the page can be seen, as a right click on it would.
    const QRect seen = image->visibleRegion().boundingRect();
    const QPoint at = seen.isEmpty() ? QPoint(0, 0) : seen.center();
    PopupMenu1->popup(image->mapToGlobal(at));
}
