#include <QAbstractButton>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include "DialogButtons.h"
#include "platform/qt/QtServices.h"

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    // The answer follows the button pressed; Escape, or closing without a button, presses the
    // one that means cancel. What an alert names is shown as plain text, never as markup.
    void alertsAreAnsweredAsPressedAndEscapeMeansCancel() {
        QString press, escape;
        bool plain = false;
        QtAlertPanels::setAnswerer([&](QMessageBox& box) -> QAbstractButton* {
            escape = box.escapeButton()->text();
            plain = box.textFormat() == Qt::PlainText && box.text() == "X: /a/<b>&lt;.";
            return buttonNamed(box, press);
        });
        Alert alert{
            .message = "X: /a/<b>&lt;.", .defaultButton = "Quit", .alternateButton = "Keep"};
        const std::tuple<Alert::Button, QString, int, QString> cases[] = {
            {Alert::Button::Default, "Keep", 0, "Quit"},
            {Alert::Button::Default, "Quit", 1, "Quit"},
            {Alert::Button::Default, "", 1, "Quit"},
            {Alert::Button::Alternate, "", 0, "Keep"}};
        QtAlertPanels alerts;
        for (const auto& [cancel, pressed, answer, escapes] : cases) {
            alert.cancel = cancel;
            press = pressed;
            QCOMPARE(alerts.run(alert), answer);
            QCOMPARE(escape, escapes);
            QVERIFY(plain);
        }
        QtAlertPanels::setAnswerer({});
    }

    // Enter with nothing selected chooses nothing, not the folder shown (the home folder, the
    // first time); the next panel opens where the last one was left. There a person
    // Ctrl-clicks two folders and a link to one, which comes back as the link, never resolved.
    void theFolderPanelTakesSeveralFoldersAndNothingUnchosen() {
        QTemporaryDir dir;
        for (const char* name : {"alpha", "beta", "gamma", "delta"})
            QVERIFY(QDir(dir.path()).mkdir(name));
        QFile::link(dir.filePath("alpha"), dir.filePath("link-to-alpha"));
        QStringList openedIn;
        bool select = false, resolves = true;
        QtOpenPanel::setChooser([&](QFileDialog& panel) {
            openedIn << panel.directory().absolutePath();
            resolves = !panel.testOption(QFileDialog::DontResolveSymlinks);
            panel.setDirectory(dir.path());
            if (!select) {
                QTest::keyClick(&panel, Qt::Key_Return);
                return;
            }
            auto* view = panel.findChild<QListView*>("listView");
            auto* model = qobject_cast<QFileSystemModel*>(view->model());
            QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(model->index(dir.path())), 5, 10000);
            for (const char* name : {"gamma", "link-to-alpha", "beta"}) {
                const QModelIndex index = model->index(dir.filePath(name));
                view->scrollTo(index);
                QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  view->visualRect(index).center());
            }
            clickButton(panel, "Shred");
        });
        QtOpenPanel panel;
        const OpenPanelSettings folders{.prompt = "Shred",
                                        .canChooseFiles = false,
                                        .canChooseDirectories = true,
                                        .allowsMultipleSelection = true};
        QCOMPARE(panel.runModal(folders), 0);
        select = true;
        QCOMPARE(panel.runModal(folders), kOpenPanelOK);
        QtOpenPanel::setChooser({});
        QVERIFY(!resolves);  // asked of the panel: here its model shows links as links either way
        QCOMPARE(openedIn, (QStringList{QDir::homePath(), QDir(dir.path()).absolutePath()}));
        std::vector<std::string> chosen = panel.filenames();
        std::sort(chosen.begin(), chosen.end());
        const std::string base = QFile::encodeName(dir.path()).toStdString();
        QCOMPARE(chosen, (std::vector<std::string>{base + "/beta", base + "/gamma",
                                                   base + "/link-to-alpha"}));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
