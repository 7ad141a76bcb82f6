// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "qv_printers.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>

#include <QCoreApplication>
#include <cups/cups.h>

namespace {

TQvPrinter* s_instance = nullptr;

// QPrinter keeps the CUPS options chosen in the print dialog under this engine property.
const auto CupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

quint32 attributesOf(const cups_dest_t& dest) {
    auto option = [&dest](const char* name) {
        return QByteArray(cupsGetOption(name, dest.num_options, dest.options));
    };
    quint32 attributes = 0;
    if (dest.is_default)
        attributes |= PrinterAttribute::Default;
    if (option("printer-is-shared") == "true")
        attributes |= PrinterAttribute::Shared;
    if (option("printer-type").toUInt() & CUPS_PRINTER_REMOTE)
        attributes |= PrinterAttribute::Network;
    if (option("printer-is-accepting-jobs") == "false")
        attributes |= PrinterAttribute::Hidden;
    return attributes;
}

QString destinationName(const cups_dest_t& dest) {
    QString name = QString::fromLocal8Bit(dest.name);
    if (dest.instance)
        name += QLatin1Char('/') + QString::fromLocal8Bit(dest.instance);
    return name;
}

bool hasDefaultDestination() {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    cupsFreeDests(dest ? 1 : 0, dest);
    return dest != nullptr;
}

EQvPrinter notReady() {
    return EQvPrinter(
        QCoreApplication::translate("QvPrinter", "プリンタに印刷できる状態ではありません"));
}

EQvPrinter invalidPrinter() {
    return EQvPrinter(
        QCoreApplication::translate("QvPrinter", "選択したプリンタは有効ではありません"));
}

} // namespace

TQvAllPrintersInfo::TQvAllPrintersInfo() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i)
        m_entries.append({destinationName(dests[i]), attributesOf(dests[i])});
    cupsFreeDests(count, dests);
    // A server without printers answers "not found"; anything else is a failure to ask.
    const ipp_status_t status = cupsLastError();
    m_failed = count == 0 && status > IPP_STATUS_OK_EVENTS_COMPLETE &&
               status != IPP_STATUS_ERROR_NOT_FOUND;
}

bool TQvAllPrintersInfo::IsSameAs(const TQvAllPrintersInfo& other) const {
    if (count() != other.count())
        return false;
    for (int i = 0; i < m_entries.size(); ++i)
        if (name(i) != other.name(i) || attributes(i) != other.attributes(i))
            return false;
    return true;
}

bool TQvAllPrintersInfo::hasVisiblePrinter() const {
    for (const TQvPrinterEntry& entry : m_entries)
        if (!(entry.attributes & PrinterAttribute::Hidden))
            return true;
    return false;
}

// A job is drawn into a PDF file of its own and handed to CUPS only when it ends, so an
// abandoned job leaves nothing in the queue. The page has the current printer's paper,
// margins and resolution, so the canvas measures what GetPageSizePixels reported.
struct TQvPrinter::Job {
    QTemporaryFile file;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    QByteArray queue;
    QByteArray title;
    int optionCount = 0;
    cups_option_t* options = nullptr;

    ~Job() { cupsFreeOptions(optionCount, options); }
    void addOption(const QByteArray& name, const QByteArray& value) {
        optionCount = cupsAddOption(name.constData(), value.constData(), optionCount, &options);
    }
};

TQvPrinter::TQvPrinter() : TQvPrinter(TQvAllPrintersInfo()) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        m_hook = QObject::connect(app, &QGuiApplication::applicationStateChanged, app,
                                  [this](Qt::ApplicationState state) {
                                      if (state == Qt::ApplicationActive)
                                          refreshPrinters();
                                  });
}

TQvPrinter::TQvPrinter(TQvAllPrintersInfo printers) : m_printers(std::move(printers)) {
    if (!s_instance)
        s_instance = this;
}

TQvPrinter::~TQvPrinter() {
    QObject::disconnect(m_hook);
    if (s_instance == this)
        s_instance = nullptr;
}

TQvPrinter& QvPrinter() {
    if (!s_instance)
        throw EQvPrinter(QStringLiteral("TQvPrinter: the printer service is not running"));
    return *s_instance;
}

void TQvPrinter::CheckNoPrinter() const {
    if (!m_printers.hasVisiblePrinter())
        throw EQvPrinterNoPrinter();
}

QPrinter& TQvPrinter::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Qt falls back to the first printer when there is no default; we do not print on
        // a printer nobody chose.
        if (!hasDefaultDestination())
            m_printer->setPrinterName(QString());
        // The printable area is what the printer itself can reach, without margins of
        // Qt's own choosing.
        const QPageLayout layout = m_printer->pageLayout();
        m_printer->setPageMargins(layout.minimumMargins(), layout.units());
    }
    return *m_printer;
}

QPrinter& TQvPrinter::currentPrinter() {
    QPrinter& current = printer();
    if (current.outputFormat() != QPrinter::NativeFormat || current.printerName().isEmpty())
        throw EQvPrinter(
            QCoreApplication::translate("QvPrinter", "デフォルト プリンタが存在しません"));
    if (!current.isValid())
        throw invalidPrinter();
    return current;
}

void TQvPrinter::selectPrinter(const QString& name) {
    QPrinter& current = printer();
    current.setPrinterName(name);
    if (current.printerName() != name || !current.isValid())
        throw invalidPrinter();
}

QSize TQvPrinter::GetPageSizePixels() {
    CheckNoPrinter();
    const QPrinter& current = currentPrinter();
    return QSize(current.width(), current.height());
}

void TQvPrinter::BeginJob(const QString& title) {
    if (m_job)
        throw EQvPrinter(QCoreApplication::translate("QvPrinter", "現在印刷中です"));
    QPrinter& current = currentPrinter();
    // The printer keeps the last job's title until the next job.
    current.setDocName(title);
    auto job = std::make_unique<Job>();
    if (!job->file.open())
        throw invalidPrinter();
    job->writer = std::make_unique<QPdfWriter>(&job->file);
    job->writer->setTitle(title);
    job->writer->setCreator(QCoreApplication::applicationName());
    job->writer->setResolution(current.resolution());
    job->writer->setPageLayout(current.pageLayout());

    // The queue is told what the printer's settings say, as Qt's own CUPS printing does;
    // they are taken now, so a change of printers during the job cannot redirect it.
    job->queue = current.printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    job->title = title.toLocal8Bit();
    const QPageLayout layout = current.pageLayout();
    job->addOption("media", layout.pageSize().key().toLocal8Bit());
    if (current.copyCount() > 1) {
        job->addOption("copies", QByteArray::number(current.copyCount()));
        if (current.collateCopies())
            job->addOption("Collate", "True");
    }
    switch (current.duplex()) {
    case QPrinter::DuplexNone:
        job->addOption("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        job->addOption("sides", layout.orientation() == QPageLayout::Portrait
                                    ? "two-sided-long-edge"
                                    : "two-sided-short-edge");
        break;
    case QPrinter::DuplexLongSide:
        job->addOption("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        job->addOption("sides", "two-sided-short-edge");
        break;
    }
    if (layout.orientation() == QPageLayout::Landscape)
        job->addOption("landscape", "");
    const QStringList cupsOptions =
        current.printEngine()->property(CupsOptionsProperty).toStringList();
    for (int i = 0; i + 1 < cupsOptions.size(); i += 2)
        job->addOption(cupsOptions[i].toLocal8Bit(), cupsOptions[i + 1].toLocal8Bit());

    if (!job->painter.begin(job->writer.get()))
        throw invalidPrinter();
    m_job = std::move(job);
}

QPainter& TQvPrinter::JobCanvas() {
    if (!m_job)
        throw notReady();
    return m_job->painter;
}

void TQvPrinter::NewPage() {
    if (!m_job || !m_job->writer->newPage())
        throw notReady();
}

void TQvPrinter::AbortJob() {
    if (!m_job)
        throw notReady();
    m_job.reset();
}

void TQvPrinter::EndJob() {
    if (!m_job)
        throw notReady();
    const std::unique_ptr<Job> job = std::move(m_job);
    if (!job->painter.end() || !job->file.flush())
        throw notReady();
    const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, job->queue.constData(),
                                  job->file.fileName().toLocal8Bit().constData(),
                                  job->title.constData(), job->optionCount, job->options);
    if (id == 0)
        throw EQvPrinter(QCoreApplication::translate("QvPrinter", "印刷できませんでした: %1")
                             .arg(QString::fromLocal8Bit(cupsLastErrorString())));
}

bool TQvPrinter::refreshPrinters() {
    return refreshPrinters(TQvAllPrintersInfo());
}

bool TQvPrinter::refreshPrinters(TQvAllPrintersInfo fresh) {
    if (fresh.failed() || m_printers.IsSameAs(fresh))
        return false;
    m_printer.reset();
    m_printers = std::move(fresh);
    return true;
}
