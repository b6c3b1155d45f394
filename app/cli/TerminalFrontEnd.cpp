#include "app/cli/TerminalFrontEnd.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "controller/ZVORBAControlShredder.h"
#include "platform/PathString.h"
#include "platform/Texts.h"
#include "platform/qt/QtCoreServices.h"

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 20;

// The last `width` bytes of text, cut at a character boundary and marked as cut.
std::string tail(const std::string& text, std::size_t width) {
    if (text.size() <= width) {
        return text;
    }
    if (width <= 3) {
        return std::string(width, '.');
    }
    std::size_t start = text.size() - (width - 3);
    while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
        ++start;  // never begin inside a UTF-8 sequence
    }
    return "..." + text.substr(start);
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A yes to the confirmation, in English or in the language of its question.
bool isYes(const std::string& answer) {
    const std::string word = lowerCase(answer);
    //: The answers to "Proceed or Cancel? [y/N]" that proceed; the English ones are taken
    //: too.
    for (const std::string& yes : {translated("Terminal", "y"), translated("Terminal", "yes"),
                                   translated("Terminal", "proceed"), std::string("y"),
                                   std::string("yes"), std::string("proceed")}) {
        if (word == lowerCase(yes)) {
            return true;
        }
    }
    return false;
}

}  // namespace

StatusLine::StatusLine(std::FILE* out, bool enabled, int columns)
    : out_(out), enabled_(enabled), columns_(std::max(columns, 20)) {}

void StatusLine::changed() {
    if (!enabled_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < kRedrawInterval) {
        return;
    }
    lastDraw_ = now;
    draw();
}

void StatusLine::draw() {
    std::string line;
    if (!barHidden) {
        const double span = maximum - minimum;
        const double share = span > 0 ? std::clamp((value - minimum) / span, 0.0, 1.0) : 1.0;
        const int filled = static_cast<int>(share * kBarWidth);
        line += "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') + "] ";
        line += std::to_string(static_cast<int>(share * 100)) + "%  ";
    }
    // The fields carry their own units: "2.0 kB (2,048 bytes)".
    if (!itemsLeft.empty()) {
        //: %1 is the count as the window shows it, with its group separators.
        line += withArgs(translatedCount("Terminal", "%1 item", "%1 items", itemsLeftCount),
                         {itemsLeft}) +
                "  ";
    }
    if (!bytesLeft.empty()) {
        line += withArgs(translated("Terminal", "%1 left"), {bytesLeft}) + "  ";
    }
    if (!status.empty()) {
        line += status + "  ";
    }
    const std::string where = file.empty() ? folder : stringByAppendingPathComponent(folder, file);
    const std::size_t room = static_cast<std::size_t>(columns_ - 1);
    if (line.size() < room) {
        line += tail(escapedForLog(where), room - line.size());
    } else {
        line.resize(room);
    }
    std::fprintf(out_, "\r\033[K%s", line.c_str());
    std::fflush(out_);
    drawn_ = true;
}

void StatusLine::clear() {
    if (enabled_ && drawn_) {
        std::fputs("\r\033[K", out_);
        std::fflush(out_);
        drawn_ = false;
    }
}

std::array<TerminalField, kFieldCount> terminalFields(StatusLine& line, std::FILE* echo) {
    return {TerminalField(&line, &line.folder),
            TerminalField(&line, &line.file),
            TerminalField(&line, &line.status, echo),
            TerminalField(),
            TerminalField(),
            TerminalField(),
            TerminalField(&line, &line.itemsLeft),
            TerminalField(),
            TerminalField(&line, &line.bytesLeft)};
}

void TerminalField::setStringValue(const std::string& text) {
    value_ = text;
    if (mirror_ != nullptr) {
        *mirror_ = text;
    }
}

// Between runs' walks (the bar hidden) a text shown at once is news of its own, such as a
// count that could not read every folder: it gets a line. During a walk it is the status
// line's, such as the pass of a large file.
void TerminalField::display() {
    if (echo_ != nullptr && line_ != nullptr && line_->barHidden) {
        if (!value_.empty()) {
            line_->clear();
            std::fprintf(echo_, "zurizede-cli: %s\n", escapedForLog(value_).c_str());
        }
        return;
    }
    if (line_ != nullptr) {
        line_->changed();
    }
}

void TerminalProgress::setHidden(bool hidden) {
    line_.barHidden = hidden;
    if (hidden) {
        line_.clear();
    }
}

TerminalAlerts::TerminalAlerts(StatusLine& line, Consent consent, bool quiet, std::FILE* out,
                               std::FILE* in)
    : line_(line), consent_(consent), quiet_(quiet), out_(out), in_(in) {}

int TerminalAlerts::run(const Alert& alert) {
    // The confirmation, and the question before a home folder or a top folder, are asked:
    // their cancel button is the answer where nobody says yes.
    const bool asks =
        alert.kind == Alert::Kind::Confirmation || alert.kind == Alert::Kind::Question;
    const int cancel = alert.cancel == Alert::Button::Default ? 1 : 0;
    if (asks && consent_ == Consent::Given && quiet_) {
        return 1 - cancel;
    }
    line_.clear();
    // Messages name paths: a control character in one must never reach the terminal raw.
    //: An alert's title, then its message.
    std::fprintf(
        out_, "%s\n",
        withArgs(translated("Terminal", "%1: %2"), {alert.title, escapedForLog(alert.message)})
            .c_str());
    for (const std::string& detail : alert.details) {
        std::fprintf(out_, "  %s\n", escapedForLog(detail).c_str());
    }
    std::fflush(out_);
    if (!asks) {
        return 1;  // the alert's only button
    }
    const bool proceed = consent_ == Consent::Given || askOnTerminal();
    return proceed ? 1 - cancel : cancel;
}

// Asks on the terminal; no terminal, end of input, an interrupt or anything but a yes is
// "Cancel".
bool TerminalAlerts::askOnTerminal() {
    if (!::isatty(::fileno(in_))) {
        std::fprintf(
            out_, "%s\n",
            translated("Terminal", "No terminal to ask for confirmation (use --yes): Cancel")
                .c_str());
        return false;
    }
    //: The confirmation's two buttons, and the answers it takes.
    std::fputs(translated("Terminal", "Proceed or Cancel? [y/N] ").c_str(), out_);
    std::fflush(out_);
    char answer[64];
    errno = 0;
    if (std::fgets(answer, sizeof answer, in_) == nullptr) {
        std::clearerr(in_);
        std::fputc('\n', out_);
        return false;
    }
    std::string word(answer);
    word.erase(
        std::remove_if(word.begin(), word.end(), [](unsigned char c) { return std::isspace(c); }),
        word.end());
    return isYes(word);
}

std::int32_t CommandLineDefaults::integerForKey(const std::string& key) const {
    if (key == settings_key::kShredMode && mode) {
        return *mode;
    }
    if (key == settings_key::kShredWarning && confirm) {
        return 1;
    }
    if (key == settings_key::kShredLogging && log) {
        return 1;
    }
    if (key == settings_key::kShredVerify && verify) {
        return 1;
    }
    return stored_.integerForKey(key);
}

void TerminalAccount::showWarnings(const std::vector<std::string>& warnings) {
    if (quiet_) {
        return;
    }
    line_.clear();
    for (const std::string& warning : warnings) {
        std::fprintf(
            out_, "zurizede-cli: %s\n",
            withArgs(translated("Terminal", "warning: %1"), {escapedForLog(warning)}).c_str());
    }
}

void TerminalAccount::showAccount(const std::string& summary,
                                  const std::vector<std::string>& details) {
    summary_ = summary;
    details_ = details;
}

void TerminalAccount::print(const std::string& shownPath) const {
    // A run refused before it began has no account: its status line said why.
    if (!summary_.empty()) {
        std::fprintf(out_, "%s: %s\n", shownPath.c_str(), escapedForLog(summary_).c_str());
    }
    for (const std::string& detail : details_) {
        std::fprintf(out_, "  %s\n", escapedForLog(detail).c_str());
    }
}
