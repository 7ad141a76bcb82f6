#include "tform1.h"

#include "about_form.h"
#include "page_image.h"
#include "prompts.h"
#include "window_fit.h"

#include <QTabWidget>

void TForm1::FitWindowToPage(int Width) {
    const TPageImage* image = activeImage();
    if (!image)
        return;
    const Bitmap& picture = image->picture();
    const QSize outer = outerSize();
    const QSize pageArea = PageControl1->size();
    PageControl1->hide();
    setOuterSize(fittedOuterSize(outer, pageArea, Width, picture.width(), picture.height()));
    repaint();
    PageControl1->show();
}

void TForm1::FormClick() {
    if (Store.Converting) {
        if (m_prompts.confirm(QStringLiteral("変換処理を中断しますか？")))
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
