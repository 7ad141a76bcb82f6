// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "pdf_creation_date.h"

#include <QDateTime>
#include <QTimeZone>

namespace {

const QByteArray kKey = QByteArrayLiteral("/CreationDate (");
// The writer puts its dates within the document's first few hundred bytes; past this much,
// a document has none to change.
constexpr qsizetype kLookAhead = 16 * 1024;

} // namespace

std::optional<qint64> sourceDateEpoch() {
    bool whole = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&whole);
    if (!whole || seconds < 0)
        return std::nullopt;
    return seconds;
}

QByteArray pdfDateAt(const QByteArray& written, const QByteArray& moment) {
    const qsizetype stamp = moment.size(); // "D:" and fourteen figures
    if (!written.startsWith("D:") || written.size() <= stamp)
        return written;
    const QByteArray offset = written.mid(stamp);
    if (offset == "Z")
        return moment + "Z";
    if (offset.size() == 7 && (offset[0] == '+' || offset[0] == '-'))
        return moment + "+00'00'";
    return written;
}

PdfCreationDateDevice::PdfCreationDateDevice(QIODevice& target, qint64 seconds) : m_target(target) {
    m_date = "D:" + QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc())
                        .toString(QStringLiteral("yyyyMMddhhmmss"))
                        .toLatin1();
    open(QIODevice::WriteOnly);
}

qint64 PdfCreationDateDevice::writeData(const char* data, qint64 size) {
    if (m_passed)
        return m_target.write(data, size);
    m_waiting.append(data, qsizetype(size));
    const qsizetype key = m_waiting.indexOf(kKey);
    const qsizetype end = key < 0 ? -1 : m_waiting.indexOf(')', key + kKey.size());
    if (end >= 0) {
        const qsizetype from = key + kKey.size();
        const QByteArray date = pdfDateAt(m_waiting.mid(from, end - from), m_date);
        m_waiting.replace(from, end - from, date);
    } else if (m_waiting.size() < kLookAhead) {
        return size;
    }
    return flushWaiting() ? size : -1;
}

bool PdfCreationDateDevice::flushWaiting() {
    m_passed = true;
    const QByteArray waiting = std::exchange(m_waiting, QByteArray());
    return m_target.write(waiting) == waiting.size();
}
