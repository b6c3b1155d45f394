// Reports of runs as zurizede-cli writes them: the JSON checked against its documented
// schema, the PDF read back as text with pdftotext.

#include <sys/mount.h>

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>

#include "CliRunner.h"

namespace {

// The value at key, then at its key: a report's "status" and "result", say.
QString at(const QJsonObject& report, const char* key, const char* inner) {
    return report[key].toObject()[inner].toString();
}

QJsonObject readJson(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QJsonDocument::fromJson(file.readAll()).object();
}

// Checks a value against the parts of JSON Schema the report's schema uses: type, enum,
// required, properties, additionalProperties and items. Answers what does not hold.
std::vector<std::string> violations(const QJsonValue& value, const QJsonObject& schema,
                                    const std::string& at) {
    std::vector<std::string> found;
    const QString type = schema["type"].toString();
    const bool typed =
        type.isEmpty() || (type == "object" && value.isObject()) ||
        (type == "array" && value.isArray()) || (type == "string" && value.isString()) ||
        (type == "boolean" && value.isBool()) || (type == "number" && value.isDouble()) ||
        (type == "integer" && value.isDouble() &&
         value.toDouble() == static_cast<double>(value.toInteger()));
    if (!typed)
        return {at + " is not " + type.toStdString()};
    if (schema.contains("enum") && !schema["enum"].toArray().contains(value)) {
        found.push_back(at + " = " + value.toVariant().toString().toStdString() +
                        " is not allowed");
    }
    const QJsonObject object = value.toObject();
    for (const QJsonValue& name : schema["required"].toArray()) {
        if (!object.contains(name.toString()))
            found.push_back(at + "." + name.toString().toStdString() + " is missing");
    }
    const QJsonObject properties = schema["properties"].toObject();
    const auto inner = [&](const QJsonValue& v, const QJsonValue& rule, const std::string& where) {
        const std::vector<std::string> more = violations(v, rule.toObject(), where);
        found.insert(found.end(), more.begin(), more.end());
    };
    for (auto it = object.begin(); it != object.end(); ++it) {
        inner(it.value(),
              properties.contains(it.key()) ? properties[it.key()] : schema["additionalProperties"],
              at + "." + it.key().toStdString());
    }
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i)
        inner(array[i], schema["items"], at + "[" + std::to_string(i) + "]");
    return found;
}

// The PDF's text in the order it was drawn, with the breaks after a slash undone: a path
// that wrapped only there reads whole again, one that wrapped inside a name does not.
std::string pdfText(const std::string& pdf) {
    EXPECT_TRUE(sh("pdftotext -raw '" + pdf + "' '" + pdf + ".txt'")) << pdf;
    std::string text = readFile(pdf + ".txt");
    for (std::size_t at; (at = text.find("/\n")) != npos;) text.erase(at + 1, 1);
    return text;
}

class Report : public Cli {};

// A tree with two names of one file, a fifo, a link, a mount point that stays and names that
// need escaping: every item in the JSON with its outcome, the JSON as its schema says, and
// the PDF showing what the account showed, with the digest of the JSON beside it.
TEST_F(Report, EveryItemWithItsOutcomeInBothFormats) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount the folder the walk must keep";
    // The walk stops on the item it keeps: that one is a PATH of its own, after the tree.
    const std::string t = dir / "t", k = dir / "k";
    for (const std::string& folder : {t, k}) makeFolder(folder);
    writeFile(t + "/a", "first name");
    ASSERT_EQ(::link((t + "/a").c_str(), (t + "/b").c_str()), 0);
    ASSERT_EQ(::mkfifo((t + "/fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("a", (t + "/link").c_str()), 0);
    writeFile(t + "/<b>bold", "markup");
    writeFile(t + "/ctl\x01name", "control");
    ASSERT_EQ(::mount("none", k.c_str(), "tmpfs", 0, "size=64k"), 0);
    const Finished done = run({"--yes", "--operator", "Ana Admin", "--report", dir / "r.pdf",
                               "--report", dir / "s.json", "t", "k"});
    ::umount(k.c_str());
    EXPECT_EQ(done.status, 1) << done.output;  // the mount point stayed

    const QJsonObject report = readJson(dir / "s.json");
    const QJsonObject schema = readJson(ZURIZEDE_SCHEMA);
    EXPECT_EQ(violations(report, schema, "report"), std::vector<std::string>{});
    EXPECT_EQ(report["where"]["operator"].toString(), "Ana Admin");
    EXPECT_EQ(report["status"]["result"].toString(), "partly");
    std::map<std::string, std::string> outcomes;
    for (const QJsonValue& item : report["items"].toArray()) {
        const QString told = item["outcome"].toString() + " " + item["reason"].toString();
        outcomes[item["path"].toString().toStdString()] = told.toStdString();
    }
    const std::string top = "t";  // as it was given
    EXPECT_EQ(outcomes.size(), 8u);
    EXPECT_EQ(outcomes[top + "/fifo"], "removed a special file: nothing to overwrite");
    EXPECT_EQ(outcomes[top + "/link"], "removed what it points to was not touched");
    EXPECT_EQ(outcomes[top + "/<b>bold"], "shredded ");
    EXPECT_EQ(outcomes[top + "/ctl\\x01name"], "shredded ");
    EXPECT_EQ(outcomes["k"].rfind("kept ", 0), 0u) << outcomes["k"];
    // One name went unoverwritten, the other was overwritten: the contents are gone.
    EXPECT_EQ(std::set<std::string>({outcomes[top + "/a"], outcomes[top + "/b"]}),
              std::set<std::string>(
                  {"removed its contents were overwritten under another name", "shredded "}));
    EXPECT_EQ(report["totals"]["filesOverwritten"].toInt(), 3);
    EXPECT_EQ(report["totals"]["itemsKept"].toInt(), 1);
    // How removed names were made unreadable, as the account said it.
    const std::string names = report["storage"]["names"].toString().toStdString();
    EXPECT_FALSE(names.empty());
    EXPECT_TRUE(said(done, "Names (" + report["storage"]["fileSystem"].toString().toStdString() +
                               "): " + names));

    const std::string text = pdfText(dir / "r.pdf");
    const QByteArray beside = QByteArray::fromStdString(readFile(dir / "r.json"));
    ASSERT_FALSE(beside.isEmpty());
    const auto digest = QCryptographicHash::hash(beside, QCryptographicHash::Sha256).toHex();
    for (const std::string& shown :
         {std::string("1 pass of random bytes"), std::string("files overwritten"),
          report["storage"]["verdict"].toString().toStdString(), t + "/<b>bold",
          t + "/ctl\\x01name", t + "/fifo", std::string("Ana Admin"), digest.toStdString(),
          names}) {
        EXPECT_NE(text.find(shown), npos) << shown << "\n" << text;
    }
    EXPECT_EQ(text.find('\x01'), npos);
}

// A run in German and in French: the account, its storage verdict and the PDF in the
// person's language; the JSON keeps its schema's English words.
TEST_F(Report, TheAccountAndThePageInThePersonsLanguageTheJsonInTheSchemas) {
    const struct {
        std::string language;
        std::vector<std::string> account, page;
    } languages[] = {
        {"de_DE.UTF-8",
         {"Überschrieben: 1 Datei, 8 Bytes, je Datei 1 Durchgang mit Zufallsbytes", "Speicher ("},
         {"Bericht über einen Durchlauf", "Dateien überschrieben", "geschreddert",
          "Urteil zum Speicher"}},
        {"fr_FR.UTF-8",
         {"Écrasé : 1 fichier, 8 octets, 1 passe d'octets aléatoires par fichier", "Stockage ("},
         {"rapport d'une opération", "fichiers écrasés", "broyé", "Verdict sur le stockage"}},
    };
    const QJsonObject schema = readJson(ZURIZEDE_SCHEMA);
    for (const auto& [lang, account, page] : languages) {
        environment = {"LANG=" + lang};
        writeFile(dir / "f", "contents");
        const std::string pdf = dir / (lang + ".pdf");
        const Finished done = run({"--yes", "--report", pdf, "f"});
        EXPECT_EQ(done.status, 0) << done.output;
        for (const std::string& said : account)
            EXPECT_NE(done.output.find(said), npos) << said << "\n" << done.output;
        const QJsonObject report = readJson(dir / (lang + ".json"));
        EXPECT_EQ(violations(report, schema, "report"), std::vector<std::string>{}) << lang;
        EXPECT_EQ(report["status"]["result"].toString(), "shredded");
        const std::string text = pdfText(pdf);
        for (const std::string& shown : page)
            EXPECT_NE(text.find(shown), npos) << shown << "\n" << text;
    }
}

// A run that did nothing says so (a stopped one: CliTest); a report that cannot be written is
// said and changes nothing else.
TEST_F(Report, RunsThatFellShortSaySoAndAFailedReportChangesNothing) {
    writeFile(dir / "kept", "kept");
    Finished done = run({"--report", dir / "cancelled.json", dir / "kept"});  // nobody answers
    EXPECT_EQ(done.status, 1);
    EXPECT_EQ(at(readJson(dir / "cancelled.json"), "status", "summary"), "Nothing was touched.");
    EXPECT_EQ(at(readJson(dir / "cancelled.json"), "status", "result"), "not");

    done = run({"--yes", "--report", dir / "denied.json", "/"});
    EXPECT_EQ(done.status, 1);
    EXPECT_EQ(at(readJson(dir / "denied.json"), "status", "result"), "not");

    // Read-only for root too: a read-only file system.
    makeFolder(dir / "readonly");
    const bool mounted = ::geteuid() == 0 &&
                         ::mount("none", (dir / "readonly").c_str(), "tmpfs", MS_RDONLY, "") == 0;
    ::chmod((dir / "readonly").c_str(), 0555);
    writeFile(dir / "gone", "gone");
    done = run({"--yes", "--report", dir / "readonly/r.pdf", dir / "gone"});
    if (mounted)
        ::umount((dir / "readonly").c_str());
    EXPECT_EQ(done.status, 0) << done.output;
    EXPECT_TRUE(said(done, "the report was not written: " + (dir / "readonly/r.json") + ": "));
}

// Names that differ in a byte that is not UTF-8 stay distinct and can be told back in both
// formats; every path is kept beside where it was; a long path wraps only after a slash; both
// files are their owner's alone, whatever the umask.
TEST_F(Report, NamesStayDistinctWhereTheyWereAndOwnerOnly) {
    const std::string deep = "t/a-long-hyphenated-folder-name-that-must-wrap";
    std::filesystem::create_directories(dir / deep);
    writeFile(dir / (deep + "/beta-file"), "beta");
    writeFile(dir / "t/n\xfe", "one");
    writeFile(dir / "t/n\xff", "other");
    const mode_t before = ::umask(022);
    const Finished done = run({"--yes", "--report", dir / "r.pdf", "t"});
    ::umask(before);
    EXPECT_EQ(done.status, 0) << done.output;
    EXPECT_TRUE(said(done, "report written to " + (dir / "r.pdf") + " and " + (dir / "r.json")));

    const QJsonObject report = readJson(dir / "r.json");
    EXPECT_EQ(at(report, "run", "subject"), "t");
    EXPECT_EQ(at(report, "run", "absoluteSubject").toStdString(), dir / "t");
    std::set<std::string> paths;
    for (const QJsonValue& item : report["items"].toArray()) {
        const std::string path = item["path"].toString().toStdString();
        paths.insert(path);
        EXPECT_EQ(item["absolutePath"].toString().toStdString(), dir / path);
    }
    EXPECT_TRUE(paths.count("t/n\\xfe") && paths.count("t/n\\xff")) << done.output;
    EXPECT_EQ(readFile(dir / "r.json").find("\xef\xbf\xbd"), npos);  // no U+FFFD

    const std::string text = pdfText(dir / "r.pdf");
    for (const std::string& name :
         {dir / "t/n\\xfe", dir / "t/n\\xff", dir / (deep + "/beta-file")}) {
        EXPECT_NE(text.find(name), npos) << name << "\n" << text;
    }
    for (const char* file : {"r.pdf", "r.json"}) {
        struct stat status {};
        ASSERT_EQ(::stat((dir / file).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0600u) << file;
    }
}

// A report's name, or the JSON's beside a PDF, that is a symbolic link is refused: nothing is
// written, through the link or anywhere else.
TEST_F(Report, ANameThatIsALinkIsRefused) {
    const struct {
        const char* asked;
        const char* link;
    } cases[] = {{"r.json", "r.json"}, {"r.pdf", "r.pdf"}, {"r.pdf", "r.json"}};
    for (const auto& c : cases) {
        TempDir here;
        writeFile(here / "canary", "canary");
        ASSERT_EQ(::symlink((here / "canary").c_str(), (here / c.link).c_str()), 0);
        writeFile(here / "gone", "gone");
        const Finished done = run({"--yes", "--report", here / c.asked, here / "gone"});
        EXPECT_EQ(done.status, 0) << done.output;
        EXPECT_TRUE(
            said(done, "the report was not written: " + (here / c.link) + " is a symbolic link"));
        EXPECT_EQ(readFile(here / "canary"), "canary") << c.asked;
        EXPECT_EQ(entries(here.path()), 2) << c.asked;  // the canary and the link alone
    }
}

// A report that cannot be finished leaves the older one whole, says why in words, and leaves
// no part of itself behind.
TEST_F(Report, AFullDiskKeepsTheOlderReport) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small file system to fill";
    for (const std::string name : {"r.json", "r.pdf"}) {
        const std::string full = dir / ("full-" + name);
        makeFolder(full);
        if (::mount("none", full.c_str(), "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "mounting a small file system is not allowed here: "
                         << std::strerror(errno);
        }
        writeFile(dir / "first", "first");
        EXPECT_EQ(run({"--yes", "--report", full + "/" + name, dir / "first"}).status, 0);
        const std::string older = readFile(full + "/" + name) + readFile(full + "/r.json");
        sh("cat /dev/zero >'" + full + "/filler' 2>/dev/null");  // the rest of the space taken
        const int before = entries(full);
        writeFile(dir / "second", "second");
        const Finished done = run({"--yes", "--report", full + "/" + name, dir / "second"});
        EXPECT_EQ(readFile(full + "/" + name) + readFile(full + "/r.json"), older) << name;
        EXPECT_EQ(entries(full), before) << name;
        ::umount(full.c_str());
        EXPECT_EQ(done.status, 0) << done.output;
        EXPECT_TRUE(said(done, ": No space left on device"));
    }
}

}  // namespace
