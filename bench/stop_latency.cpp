// How long Stop takes: the window shreds one large file in eleven passes and Stop is pressed
// once its status line says it is in the fourth pass; the time runs until the run has ended.
// A benchmark, never a test:  stop_latency FILE   (under QT_QPA_PLATFORM=offscreen or X)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "ZurizedeShell.h"

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
        const QString status = shell.window().ui.statusText->text();
        if (!sinceStop.isValid() && status.startsWith("Pass 4 of 11")) {
            sinceStop.start();
            shell.window().ui.stopButton->click();
        } else if (sinceStop.isValid() && !shell.isRunning()) {
            std::printf("stop to end of run: %lld ms (status: %s)\n",
                        static_cast<long long>(sinceStop.elapsed()),
                        qPrintable(shell.window().ui.statusText->text()));
            poll.stop();
            shell.application().terminate();
        }
    });
    poll.start();
    return QApplication::exec();
}
