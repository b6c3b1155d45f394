// How long Stop takes: the window shreds one large file in eleven passes and Stop is pressed
// once its bar shows the fourth pass; the time runs until the run has ended.
// A benchmark, never a test:  stop_latency FILE   (under QT_QPA_PLATFORM=offscreen or X)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "app/gui/ZurizedeShell.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: stop_latency FILE\n");
        return 2;
    }
    QSettings settings("ORBA", "Zurizede");
    settings.setValue("shredWarning", 0);
    settings.setValue("shredMode", 2);
    settings.sync();
    ZurizedeShell shell;
    shell.start();
    shell.openPaths({argv[1]});
    QElapsedTimer sinceStop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const QProgressBar& bar = *shell.window().ui.progress;
        if (!sinceStop.isValid() && bar.maximum() > 0 && bar.value() > bar.maximum() * 3 / 11) {
            sinceStop.start();
            shell.window().ui.stopButton->click();
        } else if (sinceStop.isValid() && !shell.isRunning()) {
            const bool stopped = shell.controller().lastRunOutcome() == RunOutcome::Stopped;
            std::printf("stop to end of run: %lld ms (%s)\n",
                        static_cast<long long>(sinceStop.elapsed()),
                        stopped ? "stopped" : "not stopped: the run ended otherwise");
            poll.stop();
            shell.application().terminate();
        }
    });
    poll.start();
    return QApplication::exec();
}
