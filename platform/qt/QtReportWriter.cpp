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
#include "platform/Texts.h"
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

// A translation, as Qt holds text.
QString said(const std::string& translation) {
    return QString::fromStdString(translation);
}

// A translated sentence for the page, its placeholders filled with HTML.
template <typename... Args>
QString filled(const std::string& translation, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        return said(translation).toHtmlEscaped();
    } else {
        return said(translation).toHtmlEscaped().arg(args...);
    }
}

// The record's values in the words of the report's schema: the one place they become text.
// The JSON keeps these English words; the PDF shows them translated, in the context "Report".
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
            return TRANSLATABLE("Report", "shredded");
        case ItemOutcome::Kept:
            return TRANSLATABLE("Report", "kept");
        case ItemOutcome::Removed:
            break;
    }
    return TRANSLATABLE("Report", "removed");
}

const char* inWords(RunKind kind) {
    switch (kind) {
        case RunKind::Shred:
            return TRANSLATABLE("Report", "shred");
        case RunKind::FreeSpace:
            return TRANSLATABLE("Report", "free-space");
        case RunKind::Trash:
            return TRANSLATABLE("Report", "trash");
        case RunKind::None:
            break;
    }
    return "";
}

const char* inWords(RunStatus status) {
    switch (status) {
        case RunStatus::Shredded:
            return TRANSLATABLE("Report", "shredded");
        case RunStatus::Partly:
            return TRANSLATABLE("Report", "partly");
        case RunStatus::Not:
            return TRANSLATABLE("Report", "not");
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
            return TRANSLATABLE("Report", "reaches");
        case StorageReach::MayNotReachAll:
            return TRANSLATABLE("Report", "may not reach all");
        case StorageReach::CannotReach:
            return TRANSLATABLE("Report", "cannot reach");
        case StorageReach::NotNeeded:
            return TRANSLATABLE("Report", "not needed");
        case StorageReach::Unknown:
            break;
    }
    return TRANSLATABLE("Report", "unknown");
}

// The record's values on the page, in the person's words.
QString spoken(const char* schemaWords) {
    return *schemaWords == '\0' ? QString() : said(translated("Report", schemaWords));
}

// One of the record's figures: its name in the schema, and in words on the page.
struct Figure {
    const char* name;
    const char* label;
    std::uint64_t value;
};

// The figures the record has, by the names the schema gives them, in the order they are shown.
std::vector<Figure> figures(const ReportTotals& totals) {
    std::vector<Figure> named;
    if (const auto& t = totals.shred) {
        named = {
            {"items", TRANSLATABLE("Report", "items"), t->items},
            {"itemsRemoved", TRANSLATABLE("Report", "items removed"), t->itemsRemoved},
            {"filesOverwritten", TRANSLATABLE("Report", "files overwritten"), t->filesOverwritten},
            {"bytesOverwritten", TRANSLATABLE("Report", "bytes overwritten"), t->bytesOverwritten},
            {"filesVerified", TRANSLATABLE("Report", "files verified"), t->filesVerified},
            {"symbolicLinksRemoved", TRANSLATABLE("Report", "symbolic links removed"),
             t->symbolicLinksRemoved},
            {"specialFilesRemoved", TRANSLATABLE("Report", "special files removed"),
             t->specialFilesRemoved},
            {"namesRemovedWhileContentsStay",
             TRANSLATABLE("Report", "names removed while contents stay"),
             t->namesRemovedWhileContentsStay},
            {"itemsKept", TRANSLATABLE("Report", "items kept"), t->itemsKept}};
    }
    if (const auto& t = totals.leftInPlace) {
        named.push_back({"itemsLeftInPlace", TRANSLATABLE("Report", "items left in place"),
                         t->itemsLeftInPlace});
        named.push_back({"bytesLeftInPlace", TRANSLATABLE("Report", "bytes left in place"),
                         t->bytesLeftInPlace});
    }
    if (const auto& t = totals.freeSpace) {
        named.insert(
            named.end(),
            {{"freeBytes", TRANSLATABLE("Report", "free bytes"), t->freeBytes},
             {"bytesWritten", TRANSLATABLE("Report", "bytes written"), t->bytesWritten},
             {"bytesLeftUnfilled", TRANSLATABLE("Report", "bytes left unfilled"),
              t->bytesLeftUnfilled},
             {"inodesMadeAnew", TRANSLATABLE("Report", "inodes made anew"), t->inodesMadeAnew}});
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
    for (const Figure& figure : figures(record.totals)) {
        totals.insert(figure.name, static_cast<qint64>(figure.value));
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
    QString page = "<h2>" + filled(translated("Report", "ORBA Zurizede: report of a run")) +
                   "</h2><p>" +
                   filled(translated("Report",
                                     "This report records what the program did and saw. It does "
                                     "not certify the device: see what overwriting cannot reach "
                                     "below.")) +
                   "</p><table cellpadding='2'>";
    page +=
        tableRow(said(translated("Report", "Result")),
                 filled(translated("Report", "%1: %2"),
                        "<b>" + spoken(inWords(record.status)) + "</b>", ::html(record.summary)));
    page += tableRow(said(translated("Report", "Run")),
                     filled(translated("Report", "%1 of %2"), spoken(inWords(record.kind)),
                            wrappedPath(record.subject)) +
                         (record.absoluteSubject.empty() || record.absoluteSubject == record.subject
                              ? ""
                              : " (" + wrappedPath(record.absoluteSubject) + ")"));
    page += tableRow(said(translated("Report", "Started")), ::html(record.started));
    page += tableRow(said(translated("Report", "Ended")),
                     ::html(record.ended) + " (" + QString::number(record.seconds, 'f', 1) + " s)");
    page += tableRow(said(translated("Report", "Tool")),
                     ::html(author_.tool) + " " + ::html(author_.version) +
                         (author_.commit.empty() ? ""
                                                 : filled(translated("Report", ", commit %1"),
                                                          ::html(author_.commit))));
    page += tableRow(said(translated("Report", "Where")),
                     filled(translated("Report", "%1, user %2 (uid %3)"),
                            QSysInfo::machineHostName().toHtmlEscaped(), userName().toHtmlEscaped(),
                            QString::number(::geteuid())));
    if (!author_.operatorName.empty()) {
        page += tableRow(said(translated("Report", "Operator")), ::html(author_.operatorName));
    }
    page += tableRow(said(translated("Report", "Method")), ::html(record.method));
    page += tableRow(said(translated("Report", "Verification")), ::html(record.verification));
    page += storageHtml(record.storage);
    page +=
        "</table><h3>" + filled(translated("Report", "Totals")) + "</h3><table cellpadding='2'>";
    for (const Figure& figure : figures(record.totals)) {
        page += tableRow(spoken(figure.label),
                         QLocale().toString(static_cast<qulonglong>(figure.value)));
    }
    page += "</table>" + accountHtml(record) + itemsHtml(record);
    page +=
        "<p>" +
        filled(translated("Report", "The same report as JSON: %1, SHA-256 %2"),
               jsonName.toHtmlEscaped(), "<tt>" + QString::fromLatin1(digest.toHex()) + "</tt>") +
        "</p>";
    return page;
}

QString QtReportWriter::storageHtml(const ReportStorage& s) {
    QString page = tableRow(
        said(translated("Report", "Storage")),
        filled(translated("Report", "%1 at %2 on %3"), ::html(s.fileSystem), ::html(s.mountPoint),
               ::html(s.device)) +
            (s.uuid.empty() ? "" : filled(translated("Report", ", UUID %1"), ::html(s.uuid))) +
            (s.model.empty() ? "" : filled(translated("Report", ", model %1"), ::html(s.model))) +
            (s.serial.empty() ? ""
                              : filled(translated("Report", ", serial %1"), ::html(s.serial))));
    page += tableRow(said(translated("Report", "Storage verdict")),
                     "<b>" + spoken(inWords(s.reach)) + "</b> (" + ::html(s.reason) + ")");
    if (!s.names.empty()) {
        // The schema's words, as namesForReport gave them, translated where shown.
        page += tableRow(said(translated("Report", "Removed names")),
                         said(translated("Storage", s.names.c_str())).toHtmlEscaped());
    }
    return page;
}

QString QtReportWriter::accountHtml(const RunRecord& record) {
    if (record.warnings.empty() && record.details.empty()) {
        return {};
    }
    QString page = "<h3>" + filled(translated("Report", "Account and warnings")) + "</h3><ul>";
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
    QString page = "<h3>" + filled(translated("Report", "Items")) +
                   "</h3><table border='1' cellspacing='0' cellpadding='2' style='font-size: "
                   "small'><tr><th width='60%'>" +
                   filled(translated("Report", "Path")) + "</th><th>" +
                   filled(translated("Report", "Size")) + "</th><th>" +
                   filled(translated("Report", "Passes")) + "</th><th>" +
                   filled(translated("Report", "Verified")) + "</th><th>" +
                   filled(translated("Report", "Outcome")) + "</th></tr>";
    const QString yes = filled(translated("Report", "yes")),
                  no = filled(translated("Report", "no"));
    const int shown = std::min<int>(kPdfItems, static_cast<int>(record.items.size()));
    for (int i = 0; i < shown; ++i) {
        const ReportItem& item = record.items[static_cast<std::size_t>(i)];
        page += "<tr><td>" + wrappedPath(whereItWas(item)) + "</td><td>" +
                QString::number(item.size) + "</td><td>" + QString::number(item.passes) +
                "</td><td>" + (item.verified ? yes : no) + "</td><td>" +
                (item.reason.empty() ? spoken(inWords(item.outcome))
                                     : filled(translated("Report", "%1: %2"),
                                              spoken(inWords(item.outcome)), ::html(item.reason))) +
                "</td></tr>";
    }
    page += "</table>";
    if (record.items.size() > static_cast<std::size_t>(shown)) {
        // Never fewer than one more; the English says "items" whatever the count.
        page += "<p>" +
                filled(translatedCount("Report",
                                       "… and %n more items, every one of them listed in the JSON.",
                                       "… and %n more items, every one of them listed in the JSON.",
                                       record.items.size() - shown)) +
                "</p>";
    }
    return page;
}

QByteArray QtReportWriter::pdf(const RunRecord& record, const QString& jsonName,
                               const QByteArray& digest) const {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setTitle(said(translated("Report", "ORBA Zurizede report")));
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
        return {{},
                withArgs(translated("Report", "a report is written as .pdf or .json, not as %1"),
                         {path})};
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
                    withArgs(translated("Report",
                                        "%1 is a symbolic link: a report is never written "
                                        "through one"),
                             {failure->path})};
        }
        return {{},
                withArgs(translated("Report", "%1: %2"),
                         {failure->path, errorInWords(failure->errorNumber)})};
    }
    return {pdf ? std::vector<std::string>{path, jsonPath} : std::vector<std::string>{path}, {}};
}
