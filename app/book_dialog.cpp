#include "book_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

BookDialog::BookDialog(const BookSettings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("塗り絵ブック"));
    paper = new QComboBox(this);
    paper->addItem(QStringLiteral("A4"), int(BookPaper::A4));
    paper->addItem(QStringLiteral("Letter"), int(BookPaper::Letter));
    paper->setCurrentIndex(paper->findData(int(settings.paper)));
    margin = new QDoubleSpinBox(this);
    // Up to 100 mm: even then both papers keep room between the margins.
    margin->setRange(0, 100);
    margin->setDecimals(1);
    margin->setSuffix(QStringLiteral(" mm"));
    margin->setValue(settings.marginMillimetres);
    vector = new QCheckBox(QStringLiteral("白黒のページを線(ベクトル)で書き出す"), this);
    vector->setChecked(settings.vector);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("用紙"), paper);
    form->addRow(QStringLiteral("余白"), margin);
    form->addRow(vector);
    form->addRow(buttons);
}

BookSettings BookDialog::settings() const {
    BookSettings chosen;
    chosen.paper = BookPaper(paper->currentData().toInt());
    chosen.marginMillimetres = margin->value();
    chosen.vector = vector->isChecked();
    return chosen;
}
