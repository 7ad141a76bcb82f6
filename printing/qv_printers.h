// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "app_error.h"

#include <QList>
#include <QMetaObject>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

// The printer service: the installed printers, the current printer with the settings the
// print dialogs edit, and one print job at a time. Its errors are shown to the user as
// they stand.
class EQvPrinter : public EAppError {
public:
    using EAppError::EAppError;
};

class EQvPrinterNoPrinter : public EQvPrinter {
public:
    EQvPrinterNoPrinter()
        : EQvPrinter(
              QCoreApplication::translate("QvPrinter", "TQvPrinter.CheckNoPrinter: No Printer")) {}
};

// One printer of an enumeration: its CUPS destination name ("queue" or "queue/instance")
// and an attribute word made of the bits below.
struct TQvPrinterEntry {
    QString name;
    quint32 attributes = 0;
};

namespace PrinterAttribute {
constexpr quint32 Default = 0x04;
constexpr quint32 Shared = 0x08;
constexpr quint32 Network = 0x10;
// A queue that takes no jobs (rejecting them) is of no use to print on; it counts as hidden.
constexpr quint32 Hidden = 0x20;
} // namespace PrinterAttribute

// One enumeration of the installed printers, in the order CUPS lists its destinations.
class TQvAllPrintersInfo {
public:
    // Enumerates the CUPS destinations. When the CUPS server cannot be asked, the
    // enumeration is empty and failed() is set.
    TQvAllPrintersInfo();
    explicit TQvAllPrintersInfo(QList<TQvPrinterEntry> entries) : m_entries(std::move(entries)) {}

    quint32 count() const { return quint32(m_entries.size()); }
    const QString& name(int i) const { return m_entries[i].name; }
    quint32 attributes(int i) const { return m_entries[i].attributes; }
    // Same counts and, index by index, the same names (case-sensitive) and attribute words.
    bool IsSameAs(const TQvAllPrintersInfo& other) const;
    bool hasVisiblePrinter() const;
    bool failed() const { return m_failed; }

private:
    QList<TQvPrinterEntry> m_entries;
    bool m_failed = false;
};

class TQvPrinter {
public:
    // The service over the installed printers; while it lives it is the process-wide
    // QvPrinter(), and it takes the printer list again whenever the application becomes
    // active.
    TQvPrinter();
    // The service over a given printer list (the printers themselves still come from CUPS).
    explicit TQvPrinter(TQvAllPrintersInfo printers);
    ~TQvPrinter();
    TQvPrinter(const TQvPrinter&) = delete;
    TQvPrinter& operator=(const TQvPrinter&) = delete;

    // Throws EQvPrinterNoPrinter unless the printer list holds a printer that is not hidden.
    void CheckNoPrinter() const;
    // The printable area of the current printer and paper in device pixels.
    QSize GetPageSizePixels();
    // Opens a job of one document named title; its page is drawn on JobCanvas().
    void BeginJob(const QString& title);
    QPainter& JobCanvas();
    // Ends the page being drawn on JobCanvas() and starts the next of the same job.
    void NewPage();
    // Abandons the open job: nothing of it reaches the printer.
    void AbortJob();
    // Closes the open job and hands it to the printer's queue.
    void EndJob();
    bool jobOpen() const { return m_job != nullptr; }

    // The current printer with its settings, made from the system default on first use.
    // The print dialogs edit it.
    QPrinter& printer();
    // Makes the named CUPS destination the current printer.
    void selectPrinter(const QString& name);

    const TQvAllPrintersInfo& printers() const { return m_printers; }
    // Takes the printer list again; when it differs, the current printer is dropped, so
    // the next use starts from the system default. True when it differed. A failed
    // enumeration changes nothing.
    bool refreshPrinters();
    bool refreshPrinters(TQvAllPrintersInfo fresh);

private:
    struct Job;
    QPrinter& currentPrinter();

    TQvAllPrintersInfo m_printers;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<Job> m_job;
    QMetaObject::Connection m_hook;
};

// The process-wide printer service: the TQvPrinter that lives now (the program makes one
// before its main window and destroys it after). Throws when there is none.
TQvPrinter& QvPrinter();
