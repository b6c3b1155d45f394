// Runs the built zurizede-cli as a user would, on real temporary folders.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

namespace {

// One line, escaped, and nothing done.
TEST_F(Cli, BadUsageExitsTwoWithOneLine) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"-m", "7", "a"}, {"--bogus\x1b[1A", "a"}, {"-y"}, {"--yes=1", "a"}}) {
        const Finished done = run(args);
        EXPECT_EQ(done.status, 2) << done.output;
        EXPECT_EQ(std::count(done.output.begin(), done.output.end(), '\n'), 1) << done.output;
        EXPECT_EQ(done.output.find('\x1b'), npos) << done.output;
    }
}

// With no terminal to ask, the confirmation is cancelled; a name holding terminal escape
// sequences never reaches the output raw.
TEST_F(Cli, NothingIsShreddedWithoutConsentWhenNoTerminalCanAsk) {
    const std::string tree = dir / "evil\x1b[2K\rFiles have been shredded.";
    makeTree(tree, 4);
    const Finished done = run({tree});  // the registered defaults ask first
    EXPECT_EQ(done.status, 1);
    EXPECT_TRUE(said(done, "evil\\x1b[2K\\x0dFiles"));
    EXPECT_EQ(done.output.find_first_of("\x1b\r"), npos) << done.output;
    storeSettings("shredWarning=0\n");
    EXPECT_EQ(run({"--confirm", tree}).status, 1);
    EXPECT_EQ(entries(tree), 3);
    EXPECT_EQ(readFile(tree + "/f0"), "contents 0");
}

// Options as GNU tools take them: after a path, letters together with the mode's value
// attached, "--" ending the options, a lone "-" naming a file. A missing path makes the
// status 1 and stops none after it.
TEST_F(Cli, YesShredsEveryPathInOrderAndAMissingOneMakesItOne) {
    makeTree(dir / "first", 6);
    for (const char* name : {"-", "-y"}) writeFile(dir / name, "contents");
    const Finished done = run({"first", "-ym1", "missing", "-", "--", "-y"});
    EXPECT_EQ(done.status, 1) << done.output;
    for (const char* name : {"first", "-", "-y"}) EXPECT_FALSE(exists(dir / name)) << name;
    const auto first = done.output.find("first: Files have been shredded.");
    const auto missing = done.output.find("missing: No such file or folder");
    const auto last = done.output.find("-y: Files have been shredded.");
    EXPECT_LT(first, missing) << done.output;
    EXPECT_LT(missing, last) << done.output;
    EXPECT_NE(last, npos) << done.output;
}

// Exit 0 claims every chosen file's contents were destroyed: a name whose contents stay
// under another name makes it 1 and the report's result partly, and a link is removed with
// its target untouched.
TEST_F(Cli, TheAccountSaysWhatWasNotDestroyedAndTheExitStatusFollowsIt) {
    makeTree(dir / "tree", 2);
    writeFile(dir / "backup", "still here");
    ASSERT_EQ(::link((dir / "backup").c_str(), (dir / "tree/copy").c_str()), 0);
    const Finished shared = run({"--yes", "-q", "--verify", "--report", dir / "r.json", "tree"});
    EXPECT_EQ(shared.status, 1) << shared.output;
    EXPECT_NE(readFile(dir / "r.json").find("\"result\": \"partly\""), npos);  // as the status
    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_EQ(readFile(dir / "backup"), "still here");
    EXPECT_TRUE(said(shared, "1 name was removed while its contents stay reachable"));

    // Both names given: the contents are overwritten at the last, and that settles the first.
    ASSERT_EQ(::link((dir / "backup").c_str(), (dir / "second").c_str()), 0);
    const Finished both = run({"--yes", "--report", dir / "r.json", "backup", "second"});
    EXPECT_EQ(both.status, 0) << both.output;
    EXPECT_NE(readFile(dir / "r.json").find("\"result\": \"shredded\""), npos);
    EXPECT_FALSE(exists(dir / "backup") || exists(dir / "second"));

    // A link named directly is an item, whether its target is a folder, missing or itself.
    makeTree(dir / "target", 2);
    ASSERT_EQ(::symlink("target", (dir / "link").c_str()), 0);
    ASSERT_EQ(::symlink("no-file", (dir / "dangling").c_str()), 0);
    ASSERT_EQ(::symlink("looping", (dir / "looping").c_str()), 0);
    ASSERT_EQ(::symlink("target/f0", (dir / "file-link").c_str()), 0);
    const Finished link = run({"--yes", "link/", "dangling", "looping", "file-link"});
    EXPECT_EQ(link.status, 0) << link.output;
    EXPECT_EQ(readFile(dir / "target/f0"), "contents 0");
    EXPECT_TRUE(said(link, "What: link\n  How much: 1 item (1 symbolic link)"));
    for (const char* name : {"link", "dangling", "looping", "file-link"}) {
        EXPECT_FALSE(exists(dir / name)) << name;
        EXPECT_TRUE(said(link, std::string("not touched (symbolic link): ") + name));
    }
}

// Stored settings leave the confirmation out and ask for the log line, and quiet leaves out
// all but that line: one line, naming the path's bytes exactly, control characters escaped.
TEST_F(Cli, StoredSettingsAreObeyedAndTheLogLineIsAllAQuietRunSays) {
    storeSettings("shredWarning=0\nshredLogging=1\n");
    const std::string top = dir / "caf\xc3\xa9\n\\";
    makeFolder(top);
    writeFile(top + "/five", "12345");
    const Finished done = run({"-q", top});
    EXPECT_EQ(done.status, 0) << done.output;
    EXPECT_EQ(done.output, "Shred 5 bytes @ path '" + (dir / "caf\xc3\xa9\\x0a\\\\") + "'\n");
    EXPECT_FALSE(exists(top));
}

// What is left is whole, and the figures printed and reported are exact: every item still
// there, the top folder too, and the bytes of the files alone.
TEST_F(Cli, AnInterruptStopsTheWalkBetweenItemsAndExitsOne) {
    makeTree(dir / "big", 4000);
    const Started started =
        start({"-y", "-m", "2", "--report", dir / "r.json", dir / "big", dir / "never"});
    // Eleven synced passes per file: the walk takes many seconds; interrupt it once it began.
    for (int i = 0; i < 3000 && entries(dir / "big") + entries(dir / "big/sub") > 3990; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a minute at most
    ::kill(started.first, SIGTERM);
    const Finished done = finish(started);
    EXPECT_EQ(done.status, 1) << done.output;
    EXPECT_TRUE(said(done, dir / "never: not shredded"));
    EXPECT_EQ(done.output.find("Files have been shredded."), npos);
    std::uint64_t bytes = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string contents = "contents " + std::to_string(i);
        if (exists(fileOf(dir / "big", i))) {
            EXPECT_EQ(readFile(fileOf(dir / "big", i)), contents);
            bytes += contents.size();
        }
    }
    EXPECT_GT(bytes, 0u);
    const std::string items = std::to_string(1 + entries(dir / "big") + entries(dir / "big/sub"));
    const std::string left = items + " items and " + std::to_string(bytes) + " bytes";
    std::string shown = done.output + readFile(dir / "r.json");
    shown.erase(std::remove(shown.begin(), shown.end(), ','), shown.end());  // figures grouped
    for (const std::string& part :
         {"interrupted; " + left + " were left in place", "was stopped: " + left,
          std::string("\"result\": \"partly\""), "\"itemsLeftInPlace\": " + items + "\n",
          "\"bytesLeftInPlace\": " + std::to_string(bytes) + "\n"})
        EXPECT_NE(shown.find(part), npos) << part << "\n" << shown;
}

// On a terminal the confirmation is asked and the status line drawn; a name in either is
// never sent to the terminal raw.
TEST_F(Cli, OnATerminalTheConfirmationIsAsked) {
    for (const std::string answer : {"n", "y"}) {
        const std::string tree = dir / ("tree-" + answer);
        makeTree(tree, 2);
        writeFile(tree + "/evil\x1b]0;owned\x07\x1b[2K", "x");
        Finished done = finish(start({tree}, true), answer + "\n");
        EXPECT_TRUE(said(done, "[y/N] " + answer));  // echoed
        EXPECT_EQ(done.status, answer == "y" ? 0 : 1) << done.output;
        EXPECT_EQ(exists(tree + "/f0"), answer == "n");
        EXPECT_TRUE(said(done, "evil\\x1b]0;owned\\x07"));
        if (answer == "y") {  // the figures left carry their own units, said once
            EXPECT_TRUE(said(done, " items  "));
            EXPECT_TRUE(said(done, " left  "));
            EXPECT_EQ(done.output.find("bytes bytes"), npos) << done.output;
            EXPECT_EQ(done.output.find("bytes) bytes"), npos) << done.output;
        }
        for (std::size_t at; (at = done.output.find("\033[K")) != npos;) {
            done.output.erase(at, 3);  // the status line's own erasing
        }
        EXPECT_EQ(done.output.find_first_of("\x1b\x07"), npos) << done.output;
    }
}

// The help in the language the environment names, LANGUAGE before LANG, and in English
// where there is no translation; the options keep their names in every language.
TEST_F(Cli, TheHelpIsInTheLanguageAskedFor) {
    enum Language { English, German, French };
    const std::vector<std::string> words[] = {
        {"Usage:", "PATH"}, {"Aufruf:", "PFAD"}, {"Utilisation :", "CHEMIN"}};
    const std::pair<std::vector<std::string>, Language> cases[] = {
        {{"LANG=de_DE.UTF-8"}, German},
        {{"LANG=fr_FR.UTF-8"}, French},
        {{"LANGUAGE=fr:de", "LANG=de_DE.UTF-8"}, French},
        {{"LANG=es_ES.UTF-8"}, English}};
    for (const auto& [variables, language] : cases) {
        environment = variables;
        const Finished done = run({"--help"});
        EXPECT_EQ(done.status, 0) << done.output;
        for (const Language other : {English, German, French}) {
            for (const std::string& word : words[other]) {
                EXPECT_EQ(done.output.find(word) != npos, other == language)
                    << variables.front() << ": " << word << "\n"
                    << done.output;
            }
        }
        for (const char* option :
             {"--free-space", "--trash", "--report", "--operator", "-m, --mode", "-y, --yes",
              "--confirm", "--log", "--verify", "-q, --quiet", "-h, --help", "--version"}) {
            EXPECT_TRUE(said(done, option));
        }
    }
}

}  // namespace
