// zurizede-cli: shreds the files and folders named on the command line, through the same
// controller, delete walk and user defaults as the window.

#include <getopt.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSettings>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ZurizedeCommit.h"
#include "app/cli/TerminalFrontEnd.h"
#include "app/common/SystemServices.h"
#include "controller/ZVORBAControlShredder.h"
#include "platform/Texts.h"
#include "platform/qt/QtCoreServices.h"
#include "platform/qt/QtReportWriter.h"
#include "platform/qt/QtTranslations.h"

#ifndef ZURIZEDE_VERSION
#define ZURIZEDE_VERSION "unknown"
#endif

namespace {

constexpr const char* kProgram = "zurizede-cli";

// A line of the program's own on standard error, after its name.
void say(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

// The help, translated whole so that a translation can lay its columns out anew.
constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "zurizede-cli",
    "Usage: zurizede-cli [OPTION]... PATH...\n"
    "  or:  zurizede-cli [OPTION]... --free-space FOLDER\n"
    "  or:  zurizede-cli [OPTION]... --trash\n"
    "Overwrite each file, and every file inside each folder, in place, then remove it.\n"
    "\n"
    "      --free-space FOLDER  fill the free space of the file system holding FOLDER\n"
    "                 with random bytes, then give it back at once: this reaches what\n"
    "                 earlier deletes and copy-on-write left in free blocks\n"
    "      --trash    shred every item in your trash folders, and their records\n"
    "      --report FILE  write a report of the run to FILE: PDF for .pdf (with its\n"
    "                 JSON beside it), JSON for .json; may be given more than once\n"
    "      --operator NAME  the person named in the report as having run it\n"
    "  -m, --mode N   shred mode of this run: 0 one pass of random bytes, 1 four\n"
    "                 pattern passes, 2 eleven pattern passes (default: the shredMode\n"
    "                 setting)\n"
    "  -y, --yes      answer \"Proceed\" to the confirmation\n"
    "      --confirm  ask for confirmation even if the shredWarning setting is off\n"
    "      --log      log each shred even if the shredLogging setting is off\n"
    "      --verify   read the last pass of every file back from the device and keep\n"
    "                 any file that does not read back as written\n"
    "  -q, --quiet    no status line, no warnings, and no success messages or account\n"
    "                 unless a run fell short\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Options may also follow the paths. After --, every argument is a PATH; a lone -\n"
    "is the file named -.\n"
    "Without a terminal and without --yes, a confirmation is answered \"Cancel\".\n"
    "Exit status: 0 when every PATH was shredded, with the contents of every regular file\n"
    "overwritten; 1 when any was not; 2 for bad usage.\n");

volatile sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

// SIGINT and SIGTERM stop the walk within a moment, also inside a large file. Not restarting
// system calls makes a pending confirmation read end at once; a second signal of the same
// kind ends the process the usual way.
void installInterruptHandlers() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

struct Options {
    std::optional<std::int32_t> mode;
    bool yes = false, confirm = false, log = false, verify = false, quiet = false;
    bool help = false, version = false, trash = false;
    std::optional<std::string> freeSpace;
    std::vector<std::string> reports;
    std::optional<std::string> operatorName;
    std::vector<std::string> paths;
};

bool endsWith(const std::string& text, const char* end) {
    const std::size_t length = std::strlen(end);
    return text.size() > length && text.compare(text.size() - length, length, end) == 0;
}

// Long options without a letter get values past every character.
enum : int { kConfirm = 256, kLog, kVerify, kVersion, kFreeSpace, kTrash, kReport, kOperator };

constexpr option kLongOptions[] = {
    {"mode", required_argument, nullptr, 'm'},
    {"yes", no_argument, nullptr, 'y'},
    {"confirm", no_argument, nullptr, kConfirm},
    {"log", no_argument, nullptr, kLog},
    {"verify", no_argument, nullptr, kVerify},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {"free-space", required_argument, nullptr, kFreeSpace},
    {"trash", no_argument, nullptr, kTrash},
    {"report", required_argument, nullptr, kReport},
    {"operator", required_argument, nullptr, kOperator},
    {nullptr, 0, nullptr, 0},
};

// The leading ':' tells a missing value apart from an unknown option.
constexpr const char* kShortOptions = ":m:yqh";

// What getopt_long refused, in words; it prints nothing itself (opterr is 0). A long option
// given a value it does not take comes back as its own value in optopt, an unknown letter
// as that letter, and an unknown or ambiguous long option as 0 with the element it stopped
// at just before optind.
std::string refusal(int result, char** argv) {
    if (result == ':') {
        const std::string element = argv[optind - 1];
        for (const auto& [prefix, refusal] :
             {std::pair{"--f", TRANSLATABLE("Terminal", "--free-space needs a FOLDER")},
              std::pair{"--r", TRANSLATABLE("Terminal", "--report needs a FILE")},
              std::pair{"--o", TRANSLATABLE("Terminal", "--operator needs a NAME")}}) {
            if (element.rfind(prefix, 0) == 0) {
                return translated("Terminal", refusal);
            }
        }
        return element.rfind("--", 0) == 0 ? translated("Terminal", "--mode needs a number")
                                           : translated("Terminal", "-m needs a number");
    }
    for (const option* o = kLongOptions; optopt != 0 && o->name != nullptr; ++o) {
        if (optopt == o->val) {
            return withArgs(translated("Terminal", "the option '--%1' takes no value"), {o->name});
        }
    }
    if (optopt != 0) {
        return withArgs(translated("Terminal", "unknown option '-%1'"),
                        {std::string(1, static_cast<char>(optopt))});
    }
    const std::string element = argv[optind - 1];
    const std::string name = element.substr(0, element.find('='));
    int matches = 0;
    for (const option* o = kLongOptions; o->name != nullptr; ++o) {
        matches += std::string("--").append(o->name).rfind(name, 0) == 0;
    }
    return withArgs(matches > 1 ? translated("Terminal", "the option '%1' is ambiguous")
                                : translated("Terminal", "unknown option '%1'"),
                    {name});
}

// Takes the mode's number, 0 to 2; or the one-line explanation of what is wrong with it.
std::optional<std::string> setMode(const std::string& text, Options& options) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0) {
        return withArgs(translated("Terminal", "the mode '%1' is not a number"), {text});
    }
    if (value < 0 || value > 2) {
        return withArgs(translated("Terminal", "the mode must be 0, 1 or 2, not %1"), {text});
    }
    options.mode = static_cast<std::int32_t>(value);
    return std::nullopt;
}

// Takes one option that needs no checking, with its value; false for anything else.
bool takeOption(int result, Options& options) {
    switch (result) {
        case 'y':
            options.yes = true;
            return true;
        case 'q':
            options.quiet = true;
            return true;
        case 'h':
            options.help = true;
            return true;
        case kConfirm:
            options.confirm = true;
            return true;
        case kLog:
            options.log = true;
            return true;
        case kVerify:
            options.verify = true;
            return true;
        case kVersion:
            options.version = true;
            return true;
        case kFreeSpace:
            options.freeSpace = optarg;
            return true;
        case kTrash:
            options.trash = true;
            return true;
        case kReport:
            options.reports.emplace_back(optarg);
            return true;
        case kOperator:
            options.operatorName = optarg;
            return true;
        default:
            return false;
    }
}

// What the options come to together: the reports' names, and something to do.
std::optional<std::string> usageRefusal(const Options& options) {
    for (const std::string& file : options.reports) {
        if (!endsWith(file, ".pdf") && !endsWith(file, ".json")) {
            return withArgs(translated("Terminal", "the report '%1' must end in .pdf or .json"),
                            {file});
        }
    }
    const bool remedy = options.freeSpace || options.trash;
    if (remedy && (!options.paths.empty() || (options.freeSpace && options.trash))) {
        return translated("Terminal", "--free-space and --trash each go alone, without a PATH");
    }
    if (!options.help && !options.version && !remedy && options.paths.empty()) {
        return translated("Terminal", "no PATH to shred");
    }
    return std::nullopt;
}

// Parses the arguments as GNU tools do: options may follow paths, a letter may take its
// value attached (-m1), "--" ends the options and a lone "-" is a path. On bad usage,
// answers the one-line explanation.
std::optional<std::string> parse(int argc, char** argv, Options& options) {
    opterr = 0;
    int result;
    while ((result = getopt_long(argc, argv, kShortOptions, kLongOptions, nullptr)) != -1) {
        if (result == 'm') {
            if (auto error = setMode(optarg, options)) {
                return error;
            }
        } else if (!takeOption(result, options)) {
            return refusal(result, argv);
        }
    }
    options.paths.assign(argv + optind, argv + argc);
    return usageRefusal(options);
}

int terminalColumns() {
    struct winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

// Everything a shred from the terminal is wired from, made in this order.
struct Wiring {
    explicit Wiring(const Options& options)
        : line(stderr, onTerminal(options), onTerminal(options) ? terminalColumns() : 80),
          fields(terminalFields(line, stderr)),
          bar(line),
          defaults(stored),
          alerts(line, options.yes ? Consent::Given : Consent::Ask, options.quiet, stderr, stdin),
          account(line, options.quiet, stderr),
          shredder(connections(options)) {
        shredder.awakeFromNib();
    }
    static bool onTerminal(const Options& options) {
        return !options.quiet && ::isatty(STDERR_FILENO);
    }
    ShredderConnections connections(const Options& options) {
        defaults.mode = options.mode;
        defaults.confirm = options.confirm;
        defaults.log = options.log;
        defaults.verify = options.verify;
        ShredderConnections c;
        system.connectTo(c);
        c.display = statusDisplayOf(fields, bar);
        c.defaults = &defaults;
        c.alerts = &alerts;
        c.account = &account;
        c.application = &application;
        c.workspace = &workspace;
        c.stopRequested = [] { return interrupted != 0; };
        c.recordItems = !options.reports.empty();
        return c;
    }
    const TerminalField& statusText() const {
        return fields[static_cast<std::size_t>(Field::statusText)];
    }

    StatusLine line;
    std::array<TerminalField, kFieldCount> fields;
    TerminalProgress bar;
    SystemServices system;
    QtUserDefaults stored;
    CommandLineDefaults defaults;
    TerminalAlerts alerts;
    TerminalAccount account;
    TerminalApplication application;
    NoWorkspace workspace;
    ZVORBAControlShredder shredder;
};

// Shreds one PATH and says how it went; answers whether it was shredded, and counts the
// names its account says were removed while their contents stay under another link.
bool shredOne(Wiring& w, const std::string& path, bool quiet, std::uint64_t& namesLeftByRuns) {
    const std::string shown = escapedForLog(path);
    if (interrupted) {
        std::fprintf(stderr, "%s: %s: %s\n", kProgram, shown.c_str(),
                     translated("Terminal", "not shredded, interrupted before its turn").c_str());
        return false;
    }
    w.fields[static_cast<std::size_t>(Field::statusText)].setStringValue("");
    if (!w.shredder.applicationOpenFile(path)) {
        std::fprintf(stderr, "%s: %s: %s\n", kProgram, shown.c_str(),
                     translated("Terminal", "No such file or folder").c_str());
        return false;
    }
    w.line.clear();
    const bool shredded = w.shredder.lastRunOutcome() == RunOutcome::Shredded;
    const std::uint64_t namesLeft = w.shredder.lastRunAccount().stillReachable.count;
    namesLeftByRuns += namesLeft;
    if (!shredded || !quiet) {
        std::fprintf(stderr, "%s: %s\n", shown.c_str(),
                     escapedForLog(w.statusText().value()).c_str());
    }
    if (!shredded || namesLeft > 0 || !quiet) {
        w.account.print(shown);
    }
    if (const auto& left = w.shredder.lastRunLeftInPlace()) {
        const QtNumberFormatter number;
        say(withArgs(
            translated("Terminal", "interrupted; %1 items and %2 bytes were left in place"),
            {number.stringFromNumber(left->items), number.stringFromNumber(left->bytes)}));
    }
    return shredded;
}

// A free-space wipe or the Trash: says how it went; answers whether it did all it should.
bool runRemedy(Wiring& w, const Options& options) {
    w.fields[static_cast<std::size_t>(Field::statusText)].setStringValue("");
    if (options.freeSpace) {
        w.shredder.wipeFreeSpaceAtPath(*options.freeSpace);
    } else {
        w.shredder.shredTrash();
    }
    w.line.clear();
    const bool done = w.shredder.lastRunOutcome() == RunOutcome::Shredded;
    const std::string shown =
        options.freeSpace ? escapedForLog(*options.freeSpace) : translated("Terminal", "Trash");
    if (!done || !options.quiet) {
        std::fprintf(stderr, "%s: %s\n", shown.c_str(),
                     escapedForLog(w.statusText().value()).c_str());
        w.account.print(shown);
    }
    return done;
}

// Every regular file chosen overwritten, or the invocation did not do what was asked. A
// name whose contents a later PATH overwrote under their last name is settled here, and
// said to be when a run's account said otherwise. Answers whether contents stay.
bool contentsStay(const ZVORBAControlShredder& shredder, std::uint64_t namesLeftByRuns,
                  bool quiet) {
    const std::vector<std::string> left = shredder.namesWithContentsElsewhere();
    if (!left.empty()) {
        //: %1 is the first of the names: the singular names it alone, the plural says there
        //: are more.
        const std::string names = translatedCount(
            "Terminal",
            "%n name was removed while its contents stay reachable through another "
            "link: %1",
            "%n names were removed while their contents stay reachable through another link: %1 "
            "and more",
            left.size());
        say(withArgs(names, {escapedForLog(left.front())}));
    }
    if (namesLeftByRuns > left.size() && !quiet) {
        say(translatedCount("Terminal",
                            "the contents of %n name removed above were overwritten "
                            "later, under another name given as a PATH",
                            "the contents of %n names removed above were overwritten "
                            "later, under another name given as a PATH",
                            namesLeftByRuns - left.size()));
    }
    return !left.empty();
}

// Every run the command asks for, one after the other, and one record of them all. Answers
// whether everything chosen was shredded: the exit status, and the report's result.
bool runAll(Wiring& wiring, const Options& options, RunRecord& record) {
    bool done = true;
    std::uint64_t namesLeftByRuns = 0;  // as each run's account said
    const std::string currentFolder = wiring.system.files().currentDirectoryPath();
    const auto add = [&record, &currentFolder](RunRecord run) {
        addAbsolutePaths(run, currentFolder);
        addRun(record, run);
    };
    if (options.freeSpace || options.trash) {
        done = runRemedy(wiring, options);
        add(wiring.shredder.lastRunRecord());
    }
    for (const std::string& path : options.paths) {
        const std::uint64_t runsBefore = wiring.shredder.runsBegun();
        done = shredOne(wiring, path, options.quiet, namesLeftByRuns) && done;
        if (wiring.shredder.runsBegun() != runsBefore) {
            add(wiring.shredder.lastRunRecord());
        } else {  // missing, or interrupted before its turn: nothing of it was touched
            const auto now = std::chrono::system_clock::now();
            RunRecord untouched = recordOfRun(RunKind::Shred, path, now, now, std::nullopt);
            untouched.status = RunStatus::Not;
            untouched.summary =
                withArgs(translated("Terminal", "Not shredded: %1 was not reached."), {path});
            add(untouched);
        }
    }
    const bool stay = (options.trash || !options.paths.empty()) &&
                      contentsStay(wiring.shredder, namesLeftByRuns, options.quiet);
    // Names whose contents stay make the whole fall short; a later PATH that overwrote them
    // settles an earlier run's names.
    done = done && !stay;
    record.status = statusOf(done ? RunOutcome::Shredded : RunOutcome::Failed, record.touched);
    return done;
}

// Each report asked for; one that cannot be written is said, and changes nothing else.
void writeReports(const Options& options, const RunRecord& record) {
    if (options.reports.empty()) {
        return;
    }
    ReportAuthor author;
    author.version = ZURIZEDE_VERSION;
    author.commit = ZURIZEDE_COMMIT;
    author.operatorName = options.operatorName.value_or(
        QSettings("ORBA", "Zurizede").value(settings_key::kOperatorName).toString().toStdString());
    QtReportWriter writer(author);
    for (const std::string& file : options.reports) {
        const ReportWritten written = writer.write(record, file);
        if (!written.error.empty()) {
            say(withArgs(translated("Terminal", "the report was not written: %1"),
                         {escapedForLog(written.error)}));
        } else if (!options.quiet) {
            std::vector<std::string> files;
            for (const std::string& one : written.files) {
                files.push_back(escapedForLog(one));
            }
            say(withArgs(translated("Terminal", "report written to %1"), {listInWords(files)}));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The help and the option errors are read before the application object exists.
    QtTranslations translations;
    Options options;
    if (auto error = parse(argc, argv, options)) {
        std::fprintf(stderr, "%s\n",
                     withArgs(translated("Terminal", "%1: %2 (try '%1 --help')"),
                              {kProgram, escapedForLog(*error)})
                         .c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(translated("zurizede-cli", kUsage).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", kProgram, ZURIZEDE_VERSION);
        return 0;
    }

    // A PDF needs QtGui and its fonts, never a screen: the offscreen platform.
    const bool pdf = std::any_of(options.reports.begin(), options.reports.end(),
                                 [](const std::string& file) { return endsWith(file, ".pdf"); });
    if (pdf) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // This program says what it has to say itself: Qt's own remarks stay out of it.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int qtArgc = 1;
    // For the resource folder, and the PDF; the paths stay bytes.
    const std::unique_ptr<QCoreApplication> qt =
        pdf ? std::make_unique<QGuiApplication>(qtArgc, argv)
            : std::make_unique<QCoreApplication>(qtArgc, argv);
    translations.installOnApplication();
    installInterruptHandlers();
    Wiring wiring(options);

    RunRecord record;
    const bool done = runAll(wiring, options, record);
    wiring.shredder.applicationWillTerminate();
    writeReports(options, record);
    return done ? 0 : 1;
}
