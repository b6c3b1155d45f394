// ORBA Zurizede: the window.

#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <string>
#include <vector>

#include "app/gui/SingleInstance.h"
#include "app/gui/ZurizedeShell.h"
#include "platform/qt/QtTranslations.h"

namespace {

// Paths as the file system's bytes, made absolute here so that a running instance, with
// its own working folder, gets the ones meant.
std::vector<std::string> pathsFromArguments(int argc, char** argv) {
    std::string cwd;
    if (char* here = ::getcwd(nullptr, 0)) {
        cwd = here;
        std::free(here);
    }
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        std::string path = argv[i];
        if (path.empty()) {
            continue;
        }
        if (path[0] != '/' && !cwd.empty()) {
            path = cwd + "/" + path;
        }
        paths.push_back(path);
    }
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationDisplayName("ORBA Zurizede");
    QApplication::setDesktopFileName("com.example.Zurizede");
    QApplication::setWindowIcon(QIcon::fromTheme("zurizede"));
    const QtTranslations translations;  // before the first text is made
    const std::vector<std::string> paths = pathsFromArguments(argc, argv);

    SingleInstance instance;
    if (instance.handOver(paths)) {
        return 0;
    }
    ZurizedeShell shell;
    instance.listen([&shell](const std::vector<std::string>& handed) {
        if (shell.application().hasTerminated()) {
            return false;  // quitting: the later launch opens a window of its own
        }
        shell.window().raise();
        shell.window().activateWindow();
        shell.openPaths(handed);
        return true;
    });
    shell.application().watchQuitSignals();
    shell.start();
    shell.openPaths(paths);
    return QApplication::exec();
}
