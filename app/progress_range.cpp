#include "progress_range.h"

#include "app_error.h"

#include <QProgressBar>

namespace {

[[noreturn]] void throwRangeError() {
    throw EAppError(
        QStringLiteral("プロパティ %1 の範囲を超えています").arg(QStringLiteral("TProgressBar")));
}

} // namespace

void setProgressMaximum(QProgressBar& bar, int maximum) {
    if (maximum < bar.minimum())
        throwRangeError();
    bar.setMaximum(maximum);
}

void setProgressMinimum(QProgressBar& bar, int minimum) {
    if (minimum > bar.maximum())
        throwRangeError();
    bar.setMinimum(minimum);
}
