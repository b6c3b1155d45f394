#include "platform/qt/QtReportWriter.h"

#include <pwd.h>
#include <unistd.h>

#include <QBuffer>
#include <QCryptographicHash>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>
#include <QSysInfo>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <set>

#include "platform/ErrorText.h"
#include "platform/PathString.h"
#include "platform/posix/WholeFile.h"

namespace {

constexpr int kPdfItems = 1000;  // the JSON lists them all

// Every text of a record as the log writes it: a name whose bytes are not UTF-8 stays
// distinct and can be told back, and no control character reaches the page.
QString text(const std::string& s) {
    const std::string escaped = escapedForLog(s);
    return QString::fromUtf8(escaped.data(), static_cast<qsizetype>(escaped.size()));
}

QString html(const std::string& s) {
    return text(s).toHtmlEscaped();
}

// "filesOverwritten" reads "files overwritten".
QString words(const std::string& camel) {
    QString spoken;
    for (const QChar c : text(camel)) {
        if (c.isUpper()) {
            spoken += ' ';
        }
        spoken += c.toLower();
    }
    return spoken;
}

// The record's values in the words of the report's schema: the one place they become text.
const char* inWords(ItemType type) {
    switch (type) {
        case ItemType::File:
            return "file";
        case ItemType::Folder:
            return "folder";
        case ItemType::SymbolicLink:
            return "symbolic link";
        case ItemType::SpecialFile:
            return "special file";
        case ItemType::Unknown:
            break;
    }
    return "";
}

const char* inWords(ItemOutcome outcome) {
    switch (outcome) {
        case ItemOutcome::Shredded:
            return "shredded";
        case ItemOutcome::Kept:
            return "kept";
        case ItemOutcome::Removed:
            break;
    }
    return "removed";
}

const char* inWords(RunKind kind) {
    switch (kind) {
        case RunKind::Shred:
            return "shred";
        case RunKind::FreeSpace:
            return "free-space";
        case RunKind::Trash:
            return "trash";
        case RunKind::None:
            break;
    }
    return "";
}

const char* inWords(RunStatus status) {
    switch (status) {
        case RunStatus::Shredded:
            return "shredded";
        case RunStatus::Partly:
            return "partly";
        case RunStatus::Not:
            return "not";
        case RunStatus::None:
            break;
    }
    return "";
}

const char* inWords(const std::optional<StorageReach>& reach) {
    if (!reach) {
        return "";
    }
    switch (*reach) {
        case StorageReach::Reaches:
            return "reaches";
        case StorageReach::MayNotReachAll:
            return "may not reach all";
        case StorageReach::CannotReach:
            return "cannot reach";
        case StorageReach::NotNeeded:
            return "not needed";
        case StorageReach::Unknown:
            break;
    }
    return "unknown";
}

// The figures the record has, by the names the schema gives them, in the order they are shown.
std::vector<std::pair<const char*, std::uint64_t>> figures(const ReportTotals& totals) {
    std::vector<std::pair<const char*, std::uint64_t>> named;
    if (const auto& t = totals.shred) {
        named = {{"items", t->items},
                 {"itemsRemoved", t->itemsRemoved},
                 {"filesOverwritten", t->filesOverwritten},
                 {"bytesOverwritten", t->bytesOverwritten},
                 {"filesVerified", t->filesVerified},
                 {"symbolicLinksRemoved", t->symbolicLinksRemoved},
                 {"specialFilesRemoved", t->specialFilesRemoved},
                 {"namesRemovedWhileContentsStay", t->namesRemovedWhileContentsStay},
                 {"itemsKept", t->itemsKept}};
    }
    if (const auto& t = totals.leftInPlace) {
        named.emplace_back("itemsLeftInPlace", t->itemsLeftInPlace);
        named.emplace_back("bytesLeftInPlace", t->bytesLeftInPlace);
    }
    if (const auto& t = totals.freeSpace) {
        named.insert(named.end(), {{"freeBytes", t->freeBytes},
                                   {"bytesWritten", t->bytesWritten},
                                   {"bytesLeftUnfilled", t->bytesLeftUnfilled},
                                   {"inodesMadeAnew", t->inodesMadeAnew}});
    }
    return named;
}

QString userName() {
    const passwd* user = ::getpwuid(::geteuid());
    return user != nullptr ? QString::fromLocal8Bit(user->pw_name) : QString();
}

QJsonArray lines(const std::vector<std::string>& all) {
    QJsonArray array;
    for (const std::string& line : all) {
        array.append(text(line));
    }
    return array;
}

// A path in a narrow column wraps only after a slash, never inside a name (at a hyphen or
// a space), so that a viewer's search finds each name whole: a word joiner between the
// characters of a name, a zero-width space after each slash. Neither is in the PDF's text.
QString wrappedPath(const std::string& path) {
    const QString shown = text(path);
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, shown);
    QString page;
    for (qsizetype from = 0, to = graphemes.toNextBoundary(); to > from;
         from = to, to = graphemes.toNextBoundary()) {
        if (from > 0) {
            page += shown[from - 1] == '/' ? QChar(0x200b) : QChar(0x2060);
        }
        // A space in a name stays with it, as the line layout breaks at any plain space.
        page += shown.mid(from, to - from).replace(' ', QChar(0xa0)).toHtmlEscaped();
    }
    return page;
}

// The path from the root where it is known, else as it was given.
const std::string& whereItWas(const ReportItem& item) {
    return item.absolutePath.empty() ? item.path : item.absolutePath;
}

QString tableRow(const QString& label, const QString& value) {
    return "<tr><td><b>" + label.toHtmlEscaped() + "</b></td><td>" + value + "</td></tr>";
}

}  // namespace

QtReportWriter::QtReportWriter(ReportAuthor author) : author_(std::move(author)) {}

QByteArray QtReportWriter::json(const RunRecord& record) const {
    QJsonObject storage{
        {"fileSystem", text(record.storage.fileSystem)}, {"uuid", text(record.storage.uuid)},
        {"mountPoint", text(record.storage.mountPoint)}, {"device", text(record.storage.device)},
        {"model", text(record.storage.model)},           {"serial", text(record.storage.serial)},
        {"verdict", inWords(record.storage.reach)},      {"reason", text(record.storage.reason)}};
    if (!record.storage.names.empty()) {
        storage.insert("names", text(record.storage.names));
    }
    QJsonObject totals;
    for (const auto& [name, figure] : figures(record.totals)) {
        totals.insert(name, static_cast<qint64>(figure));
    }
    QJsonArray items;
    for (const ReportItem& item : record.items) {
        items.append(QJsonObject{{"path", text(item.path)},
                                 {"absolutePath", text(item.absolutePath)},
                                 {"type", inWords(item.type)},
                                 {"size", static_cast<qint64>(item.size)},
                                 {"passes", item.passes},
                                 {"verified", item.verified},
                                 {"outcome", inWords(item.outcome)},
                                 {"reason", text(item.reason)}});
    }
    const QJsonObject report{
        {"schema", "zurizede-report/1"},
        {"tool", QJsonObject{{"name", text(author_.tool)},
                             {"version", text(author_.version)},
                             {"commit", text(author_.commit)}}},
        {"where", QJsonObject{{"host", QSysInfo::machineHostName()},
                              {"user", userName()},
                              {"uid", static_cast<qint64>(::geteuid())},
                              {"operator", text(author_.operatorName)}}},
        {"run", QJsonObject{{"kind", inWords(record.kind)},
                            {"subject", text(record.subject)},
                            {"absoluteSubject", text(record.absoluteSubject)},
                            {"started", text(record.started)},
                            {"ended", text(record.ended)},
                            {"seconds", record.seconds}}},
        {"how",
         QJsonObject{{"method", text(record.method)}, {"verification", text(record.verification)}}},
        {"storage", storage},
        {"totals", totals},
        {"items", items},
        {"status", QJsonObject{{"result", inWords(record.status)},
                               {"summary", text(record.summary)},
                               {"details", lines(record.details)}}},
        {"warnings", lines(record.warnings)},
    };
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}

QString QtReportWriter::html(const RunRecord& record, const QString& jsonName,
                             const QByteArray& digest) const {
    const auto& s = record.storage;
    QString page = "<h2>ORBA Zurizede: report of a run</h2>";
    page +=
        "<p>This report records what the program did and saw. It does not certify the "
        "device: see what overwriting cannot reach below.</p><table cellpadding='2'>";
    page += tableRow("Result",
                     QString("<b>") + inWords(record.status) + "</b>: " + ::html(record.summary));
    page += tableRow("Run",
                     QString(inWords(record.kind)) + " of " + wrappedPath(record.subject) +
                         (record.absoluteSubject.empty() || record.absoluteSubject == record.subject
                              ? ""
                              : " (" + wrappedPath(record.absoluteSubject) + ")"));
    page += tableRow("Started", ::html(record.started));
    page += tableRow("Ended",
                     ::html(record.ended) + " (" + QString::number(record.seconds, 'f', 1) + " s)");
    page +=
        tableRow("Tool", ::html(author_.tool) + " " + ::html(author_.version) +
                             (author_.commit.empty() ? "" : ", commit " + ::html(author_.commit)));
    page += tableRow("Where", QSysInfo::machineHostName().toHtmlEscaped() + ", user " +
                                  userName().toHtmlEscaped() + " (uid " +
                                  QString::number(::geteuid()) + ")");
    if (!author_.operatorName.empty()) {
        page += tableRow("Operator", ::html(author_.operatorName));
    }
    page += tableRow("Method", ::html(record.method));
    page += tableRow("Verification", ::html(record.verification));
    page += tableRow("Storage", ::html(s.fileSystem) + " at " + ::html(s.mountPoint) + " on " +
                                    ::html(s.device) +
                                    (s.uuid.empty() ? "" : ", UUID " + ::html(s.uuid)) +
                                    (s.model.empty() ? "" : ", model " + ::html(s.model)) +
                                    (s.serial.empty() ? "" : ", serial " + ::html(s.serial)));
    page += tableRow("Storage verdict",
                     QString("<b>") + inWords(s.reach) + "</b> (" + ::html(s.reason) + ")");
    if (!s.names.empty()) {
        page += tableRow("Removed names", ::html(s.names));
    }
    page += "</table><h3>Totals</h3><table cellpadding='2'>";
    for (const auto& [name, figure] : figures(record.totals)) {
        page += tableRow(words(name), QLocale().toString(static_cast<qulonglong>(figure)));
    }
    page += "</table>" + accountHtml(record) + itemsHtml(record);
    page += "<p>The same report as JSON: " + jsonName.toHtmlEscaped() + ", SHA-256 <tt>" +
            QString::fromLatin1(digest.toHex()) + "</tt></p>";
    return page;
}

QString QtReportWriter::accountHtml(const RunRecord& record) {
    if (record.warnings.empty() && record.details.empty()) {
        return {};
    }
    QString page = "<h3>Account and warnings</h3><ul>";
    std::set<std::string> said;  // a warning the account repeats is shown once
    for (const auto* all : {&record.details, &record.warnings}) {
        for (const std::string& line : *all) {
            if (said.insert(line).second) {
                page += "<li>" + ::html(line) + "</li>";
            }
        }
    }
    return page + "</ul>";
}

QString QtReportWriter::itemsHtml(const RunRecord& record) {
    if (record.items.empty()) {
        return {};
    }
    QString page =
        "<h3>Items</h3><table border='1' cellspacing='0' cellpadding='2' style='font-size: small'>"
        "<tr><th width='60%'>Path</th><th>Size</th><th>Passes</th><th>Verified</th>"
        "<th>Outcome</th></tr>";
    const int shown = std::min<int>(kPdfItems, static_cast<int>(record.items.size()));
    for (int i = 0; i < shown; ++i) {
        const ReportItem& item = record.items[static_cast<std::size_t>(i)];
        page += "<tr><td>" + wrappedPath(whereItWas(item)) + "</td><td>" +
                QString::number(item.size) + "</td><td>" + QString::number(item.passes) +
                "</td><td>" + (item.verified ? "yes" : "no") + "</td><td>" + inWords(item.outcome) +
                (item.reason.empty() ? "" : ": " + ::html(item.reason)) + "</td></tr>";
    }
    page += "</table>";
    if (record.items.size() > static_cast<std::size_t>(shown)) {
        page += "<p>… and " + QString::number(record.items.size() - shown) +
                " more items, every one of them listed in the JSON.</p>";
    }
    return page;
}

QByteArray QtReportWriter::pdf(const RunRecord& record, const QString& jsonName,
                               const QByteArray& digest) const {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setTitle("ORBA Zurizede report");
    writer.setCreator(::text(author_.tool));
    writer.setPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                           ? QPageSize(QPageSize::Letter)
                           : QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QTextDocument page;
    // Letters stay letters ("fi", not one ligature glyph), so that the PDF's text can be
    // searched for what it says.
    QFont font = page.defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    page.setDefaultFont(font);
    page.setHtml(html(record, jsonName, digest));
    page.print(&writer);
    return bytes;
}

ReportWritten QtReportWriter::write(const RunRecord& record, const std::string& path) {
    const auto endsWith = [&path](const std::string& end) {
        return path.size() > end.size() &&
               QByteArray::fromStdString(path.substr(path.size() - end.size())).toLower() ==
                   end.c_str();
    };
    const bool pdf = endsWith(".pdf");
    if (!pdf && !endsWith(".json")) {
        return {{}, "a report is written as .pdf or .json, not as " + path};
    }
    // A PDF has its JSON beside it, so that the digest it shows can be checked.
    const std::string jsonPath = pdf ? path.substr(0, path.size() - 4) + ".json" : path;
    const QByteArray document = json(record);
    std::vector<WholeFileContents> files = {
        {jsonPath, {document.data(), static_cast<std::size_t>(document.size())}}};
    QByteArray page;
    if (pdf) {
        page = this->pdf(record, ::text(lastPathComponent(jsonPath)),
                         QCryptographicHash::hash(document, QCryptographicHash::Sha256));
        files.push_back({path, {page.data(), static_cast<std::size_t>(page.size())}});
    }
    if (const auto failure = writeFilesWhole(files)) {
        if (failure->errorNumber == ELOOP) {
            return {{},
                    failure->path + " is a symbolic link: a report is never written through one"};
        }
        return {{}, failure->path + ": " + errorInWords(failure->errorNumber)};
    }
    return {pdf ? std::vector<std::string>{path, jsonPath} : std::vector<std::string>{path}, {}};
}
