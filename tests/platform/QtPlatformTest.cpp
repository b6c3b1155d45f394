#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "QtCoreServices.h"
#include "QtDisplay.h"
#include "QtServices.h"

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void progressBarIsExactAtBothEndsBeyondFourGiB() {
        QProgressBar widget;
        QtProgressIndicator bar(&widget);
        const double total = 6.0 * 1024 * 1024 * 1024 + 1;  // more than an int can count
        bar.setMinValue(0.0);
        bar.setMaxValue(total);
        bar.setDoubleValue(0.0);
        QCOMPARE(widget.value(), 0);
        bar.incrementBy(total / 2);
        QCOMPARE(widget.value(), QtProgressIndicator::kSteps / 2);
        bar.incrementBy(total / 2 - 1);
        QVERIFY(widget.value() < QtProgressIndicator::kSteps);
        bar.incrementBy(1);
        QCOMPARE(widget.value(), QtProgressIndicator::kSteps);
        QCOMPARE(bar.doubleValue(), total);
        bar.setMaxValue(0.0);  // an empty folder: range 0 to 0, shown full, not busy
        bar.setDoubleValue(0.0);
        QCOMPARE(widget.value(), QtProgressIndicator::kSteps);
    }

    // "#,##0" takes the locale's group separator and nothing else of it.
    void numbersAreGroupedByThousands() {
        QtNumberFormatter english(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(english.stringFromNumber(18446744073709551615ull),
                 std::string("18,446,744,073,709,551,615"));
        QCOMPARE(QtNumberFormatter(QLocale::c()).stringFromNumber(1234567),
                 std::string("1,234,567"));  // the C locale prints its own numbers ungrouped
        QCOMPARE(
            QtNumberFormatter(QLocale(QLocale::English, QLocale::India)).stringFromNumber(1234567),
            std::string("1,234,567"));
        QCOMPARE(
            QtNumberFormatter(QLocale(QLocale::Spanish, QLocale::Spain)).stringFromNumber(1234),
            std::string("1.234"));
        const std::string egyptian =
            QtNumberFormatter(QLocale(QLocale::Arabic, QLocale::Egypt)).stringFromNumber(1234567);
        QCOMPARE(QString::fromStdString(egyptian).remove(QRegularExpression("[0-9]")).size(), 2);
        QVERIFY(egyptian.rfind("1", 0) == 0 && egyptian.size() > 7);
    }

    void storedDefaultsWinOverRegisteredOnes() {
        QTemporaryDir dir;
        QtUserDefaults defaults(dir.filePath("settings.ini"));
        QCOMPARE(defaults.integerForKey("shredWarning"), 0);
        defaults.registerDefaults({{"shredWarning", 1}, {"shredMode", 2}});
        QCOMPARE(defaults.integerForKey("shredWarning"), 1);
        defaults.setInteger("shredWarning", 0);
        QCOMPARE(defaults.integerForKey("shredWarning"), 0);
        defaults.settings().setValue("shredMode", "eleven");
        QCOMPARE(defaults.integerForKey("shredMode"), 0);
        defaults.settings().setValue("shredMode", "-1");
        QCOMPARE(defaults.integerForKey("shredMode"), -1);
    }

    void alertPanelsAreBuiltAndAnsweredAsPressed() {
        QtAlertPanels alerts;
        QString seenTitle, seenText, escapeText;
        Qt::TextFormat seenFormat = Qt::AutoText;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QStringList buttons;
        QString press;
        QtAlertPanels::setAnswerer([&](QMessageBox& box) -> QAbstractButton* {
            seenTitle = box.windowTitle();
            seenText = box.text();
            seenFormat = box.textFormat();
            seenIcon = box.icon();
            escapeText = box.escapeButton() ? box.escapeButton()->text() : QString();
            buttons.clear();
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* b : box.buttons()) {
                buttons << b->text();
                if (b->text() == press)
                    chosen = b;
            }
            return chosen;
        });
        const Alert confirmation{.kind = Alert::Kind::Confirmation,
                                 .critical = true,
                                 .title = "Shred Alert",
                                 .message = "Sure?",
                                 .defaultButton = "Cancel",
                                 .alternateButton = "Proceed"};
        press = "Proceed";
        QCOMPARE(alerts.run(confirmation), 0);
        QCOMPARE(seenIcon, QMessageBox::Critical);
        QCOMPARE(seenTitle, QString("Shred Alert"));
        QCOMPARE(escapeText, QString("Cancel"));
        QCOMPARE(buttons.size(), 2);
        press = "Cancel";
        QCOMPARE(alerts.run(confirmation), 1);
        // A question whose second button means cancel: Escape presses that one.
        press = "";
        QCOMPARE(alerts.run({.kind = Alert::Kind::Question,
                             .title = "Quit?",
                             .message = "Quit?",
                             .defaultButton = "Quit",
                             .alternateButton = "Keep",
                             .cancel = Alert::Button::Alternate}),
                 0);
        QCOMPARE(escapeText, QString("Keep"));
        press = "Stop Shredding";
        QCOMPARE(alerts.run({.title = "File System Alert",
                             .message = "X: /a/<b>&lt;.",
                             .defaultButton = "Stop Shredding"}),
                 1);
        QCOMPARE(seenFormat, Qt::PlainText);  // the name shown is the file's, not markup
        QCOMPARE(seenText, QString("X: /a/<b>&lt;."));
        QCOMPARE(seenIcon, QMessageBox::Information);
        QCOMPARE(buttons, QStringList{"Stop Shredding"});
        alerts.run({.kind = Alert::Kind::Error,
                    .title = "File System Alert",
                    .message = "Could not remove",
                    .defaultButton = "Stop Shredding"});
        QCOMPARE(seenIcon, QMessageBox::Warning);
        QtAlertPanels::setAnswerer({});
    }

    // A person Ctrl-clicks three folders in the folder panel and presses "Shred".
    void theFolderPanelTakesSeveralFolders() {
        QTemporaryDir dir;
        for (const char* name : {"alpha", "beta", "gamma", "delta"}) {
            QVERIFY(QDir(dir.path()).mkdir(name));
        }
        QFile::link(dir.filePath("alpha"), dir.filePath("link-to-alpha"));
        QString title, message, accept;
        bool readOnly = false, resolves = true;
        QtOpenPanel::setChooser([&](QFileDialog& panel) {
            title = panel.windowTitle();
            if (auto* label = panel.findChild<QLabel*>("message"))
                message = label->text();
            accept = panel.labelText(QFileDialog::Accept);
            readOnly = panel.testOption(QFileDialog::ReadOnly);
            resolves = !panel.testOption(QFileDialog::DontResolveSymlinks);
            panel.setDirectory(dir.path());
            auto* view = panel.findChild<QListView*>("listView");
            auto* model = qobject_cast<QFileSystemModel*>(view->model());
            const QModelIndex root = model->index(dir.path());
            QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(root), 5, 10000);
            for (const char* name : {"gamma", "link-to-alpha", "beta"}) {
                const QModelIndex index = model->index(dir.filePath(name));
                view->scrollTo(index);
                QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                  view->visualRect(index).center());
            }
            auto* buttons = panel.findChild<QDialogButtonBox*>("buttonBox");
            for (QAbstractButton* b : buttons->buttons()) {
                if (b->text() == "Shred")
                    b->click();
            }
        });
        QtOpenPanel panel;
        OpenPanelSettings settings;
        settings.title = "Shred Folder & Contents";
        settings.message = "Select a folder to shred.";
        settings.prompt = "Shred";
        settings.canChooseFiles = false;
        settings.canChooseDirectories = true;
        settings.allowsMultipleSelection = true;
        QCOMPARE(panel.runModal(settings), kOpenPanelOK);
        QtOpenPanel::setChooser({});
        QCOMPARE(title, QString("Shred Folder & Contents"));
        QCOMPARE(message, QString("Select a folder to shred."));
        QCOMPARE(accept, QString("Shred"));
        QVERIFY(readOnly);
        QVERIFY(!resolves);
        std::vector<std::string> chosen = panel.filenames();
        std::sort(chosen.begin(), chosen.end());
        const std::string base = QFile::encodeName(dir.path()).toStdString();
        QCOMPARE(chosen, (std::vector<std::string>{base + "/beta", base + "/gamma",
                                                   base + "/link-to-alpha"}));
    }

    // Enter with nothing selected chooses nothing, not the folder shown (the home folder, the
    // first time); the next panel opens where the last one was left.
    void enterWithNothingSelectedChoosesNothing() {
        QTemporaryDir dir;
        QStringList openedIn;
        QtOpenPanel::setChooser([&](QFileDialog& panel) {
            openedIn << panel.directory().absolutePath();
            panel.setDirectory(dir.path());
            QTest::keyClick(&panel, Qt::Key_Return);
        });
        QtOpenPanel panel;
        OpenPanelSettings folders;
        folders.canChooseFiles = false;
        folders.canChooseDirectories = true;
        QCOMPARE(panel.runModal(folders), 0);
        QVERIFY(panel.filenames().empty());
        QCOMPARE(panel.runModal(folders), 0);
        QtOpenPanel::setChooser({});
        QCOMPARE(openedIn, (QStringList{QDir::homePath(), QDir(dir.path()).absolutePath()}));
    }

    void propertyListsOfIntegersAreReadAndAnythingElseIsNot() {
        QTemporaryDir dir;
        auto write = [&](const char* name, const QByteArray& xml) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write(xml);
            return QFile::encodeName(f.fileName()).toStdString();
        };
        const auto good = QtResources::integerDictionary(
            write("good.plist",
                  "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>shredMode</key>"
                  "<integer>2</integer><key>shredWarning</key><true/></dict></plist>"));
        QVERIFY(good.has_value());
        QCOMPARE(good->at("shredMode"), 2);
        QCOMPARE(good->at("shredWarning"), 1);
        for (const char* bad :
             {"not a plist", "<plist><dict><key>a</key><string>x</string></dict></plist>",
              "<plist><dict><key>a</key><integer>9999999999</integer></dict></plist>"}) {
            QVERIFY2(!QtResources::integerDictionary(write("bad.plist", bad)), bad);
        }
        QVERIFY(!QtResources::integerDictionary(dir.filePath("missing").toStdString()));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
