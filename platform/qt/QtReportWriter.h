#pragma once

#include <QByteArray>
#include <QString>

#include "platform/Report.h"

// Reports as JSON, through Qt's JSON classes, and as PDF, through QPdfWriter and
// QTextDocument: A4 or Letter by the locale, black on white. A PDF needs a QGuiApplication.
// Files are written whole through writeFilesWhole.
class QtReportWriter : public ReportWriter {
public:
    explicit QtReportWriter(ReportAuthor author);
    ReportWritten write(const RunRecord& record, const std::string& path) override;
    // The JSON of a record, exactly as it is written: what a PDF's digest is of.
    QByteArray json(const RunRecord& record) const;

private:
    QString html(const RunRecord& record, const QString& jsonName, const QByteArray& digest) const;
    static QString storageHtml(const ReportStorage& storage);
    static QString accountHtml(const RunRecord& record);
    static QString itemsHtml(const RunRecord& record);
    QByteArray pdf(const RunRecord& record, const QString& jsonName,
                   const QByteArray& digest) const;

    ReportAuthor author_;
};
