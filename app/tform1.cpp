#include "tform1.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Pintabel"));
    resize(344, 364);
}
