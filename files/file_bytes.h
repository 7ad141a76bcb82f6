#pragma once

#include <QByteArray>
#include <QtEndian>

// Integers read from a file's bytes. A read that would pass the end gives 0, so header
// checks on short files simply fail.

inline quint16 littleEndian16(const QByteArray& data, qsizetype at) {
    return at >= 0 && at + 2 <= data.size() ? qFromLittleEndian<quint16>(data.constData() + at) : 0;
}

inline quint32 littleEndian32(const QByteArray& data, qsizetype at) {
    return at >= 0 && at + 4 <= data.size() ? qFromLittleEndian<quint32>(data.constData() + at) : 0;
}

inline quint16 bigEndian16(const QByteArray& data, qsizetype at) {
    return at >= 0 && at + 2 <= data.size() ? qFromBigEndian<quint16>(data.constData() + at) : 0;
}

inline quint32 bigEndian32(const QByteArray& data, qsizetype at) {
    return at >= 0 && at + 4 <= data.size() ? qFromBigEndian<quint32>(data.constData() + at) : 0;
}
