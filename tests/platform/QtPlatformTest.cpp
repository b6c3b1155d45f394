#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "QtDisplay.h"
#include "QtCoreServices.h"
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
        bar.setHidden(true);
        QVERIFY(widget.isHidden());
    }

    void numbersAreGroupedByThousands() {
        QtNumberFormatter english(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(english.stringFromNumber(0), std::string("0"));
        QCOMPARE(english.stringFromNumber(1234567), std::string("1,234,567"));
        QCOMPARE(english.stringFromNumber(18446744073709551615ull),
                 std::string("18,446,744,073,709,551,615"));
        QtNumberFormatter plainC(QLocale::c());
        QCOMPARE(plainC.stringFromNumber(1234567), std::string("1,234,567"));
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

    void textFieldShowsTextAndUndecodableBytes() {
        QLineEdit line;
        QtTextField field(&line);
        field.setStringValue("Files have been shredded.");
        QCOMPARE(line.text(), QString("Files have been shredded."));
        QVERIFY(line.isReadOnly());
        field.setStringValue(std::string("caf\xe9"));
        QVERIFY(line.text().startsWith("caf"));
        field.display();
    }

    void alertPanelsAreBuiltAndAnsweredAsPressed() {
        QtAlertPanels alerts;
        QString seenTitle, seenText, escapeText;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QStringList buttons;
        QString press;
        QtAlertPanels::setAnswerer([&](QMessageBox& box) -> QAbstractButton* {
            seenTitle = box.windowTitle();
            seenText = box.text();
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
        press = "Proceed";
        QCOMPARE(alerts.runCriticalAlertPanel("Shred Alert", "Sure?", "Cancel", "Proceed", ""), 0);
        QCOMPARE(seenIcon, QMessageBox::Critical);
        QCOMPARE(seenTitle, QString("Shred Alert"));
        QCOMPARE(escapeText, QString("Cancel"));
        QCOMPARE(buttons.size(), 2);
        press = "Cancel";
        QCOMPARE(alerts.runCriticalAlertPanel("Shred Alert", "Sure?", "Cancel", "Proceed", ""), 1);
        press = "Stop Shredding";
        QCOMPARE(alerts.runAlertPanel("File System Alert", "X: /a/b.", "Stop Shredding", "", ""),
                 1);
        QVERIFY(seenIcon != QMessageBox::Critical);
        QCOMPARE(buttons, QStringList{"Stop Shredding"});
        QCOMPARE(seenText, QString("X: /a/b."));
        QtAlertPanels::setAnswerer({});
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
