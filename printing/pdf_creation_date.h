// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QIODevice>

#include <optional>

// The moment SOURCE_DATE_EPOCH names (seconds since 1970 in UTC), when it is set to a
// whole number; nothing otherwise.
std::optional<qint64> sourceDateEpoch();

// A device writing through to another, which gives the document's creation date (the
// "/CreationDate (D:...)" the PDF writer puts at its start, taking the clock's time) as
// at seconds since 1970 in UTC, so that the same pages make the same bytes. The date
// keeps its length, so no offset of the document moves. Everything else passes unchanged;
// only the document's first bytes wait, until the date has gone by.
class PdfCreationDateDevice : public QIODevice {
public:
    PdfCreationDateDevice(QIODevice& target, qint64 seconds);
    // Writes out whatever still waits.
    bool flushWaiting();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    QIODevice& m_target;
    QByteArray m_date; // "D:YYYYMMDDhhmmss" of the moment given
    QByteArray m_waiting;
    bool m_passed = false;
};

// A date the writer put down, "D:YYYYMMDDhhmmss" and its offset from UTC ("Z", "+hh'mm'"
// or "-hh'mm'"), as the moment given in UTC with an offset of the same length. Unchanged
// when it is not such a date.
QByteArray pdfDateAt(const QByteArray& written, const QByteArray& moment);
