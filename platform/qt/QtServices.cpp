#include "platform/qt/QtServices.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {
QtAlertPanels::Answerer& answerer() {
    static QtAlertPanels::Answerer instance;
    return instance;
}
QtOpenPanel::Chooser& chooser() {
    static QtOpenPanel::Chooser instance;
    return instance;
}
}  // namespace

void QtAlertPanels::setAnswerer(Answerer a) {
    answerer() = std::move(a);
}

int QtAlertPanels::run(const Alert& alert) {
    QMessageBox box(alert.critical                     ? QMessageBox::Critical
                    : alert.kind == Alert::Kind::Error ? QMessageBox::Warning
                                                       : QMessageBox::Information,
                    QString::fromStdString(alert.title), QString::fromStdString(alert.message));
    // A name holding "<b>" is a name, not markup: the alert must name the very file.
    box.setTextFormat(Qt::PlainText);
    if (!alert.details.empty()) {
        QStringList lines;
        for (const std::string& line : alert.details) {
            lines << QString::fromStdString(line);
        }
        box.setInformativeText(lines.join('\n'));
        // The message box sets the format of its main text only.
        if (auto* label = box.findChild<QLabel*>("qt_msgbox_informativelabel")) {
            label->setTextFormat(Qt::PlainText);
        }
    }
    QPushButton* first =
        box.addButton(QString::fromStdString(alert.defaultButton), QMessageBox::AcceptRole);
    QPushButton* second =
        alert.alternateButton.empty()
            ? nullptr
            : box.addButton(QString::fromStdString(alert.alternateButton), QMessageBox::RejectRole);
    QPushButton* third =
        alert.otherButton.empty()
            ? nullptr
            : box.addButton(QString::fromStdString(alert.otherButton), QMessageBox::ActionRole);
    box.setDefaultButton(first);
    // Escape presses the button that means cancel, or the only one.
    QPushButton* escape = alert.cancel == Alert::Button::Alternate && second != nullptr ? second
                          : alert.cancel == Alert::Button::Other && third != nullptr    ? third
                                                                                        : first;
    box.setEscapeButton(escape);

    QAbstractButton* pressed = nullptr;
    if (quitting_) {
        // Never shown: the answer is the one Escape gives.
    } else if (answerer()) {
        pressed = answerer()(box);
    } else {
        open_.push_back(&box);
        box.exec();
        open_.pop_back();
        pressed = box.clickedButton();
    }
    if (pressed == nullptr) {
        pressed = escape;  // closed without a button, or never shown
    }
    return pressed == first ? 1 : pressed == second ? 0 : -1;
}

void QtAlertPanels::dismissForQuit() {
    quitting_ = true;
    for (QMessageBox* box : open_) {
        box->escapeButton()->click();
    }
}

namespace {
// Puts the message on a row of its own above everything the dialog shows.
void addMessageLine(QFileDialog& dialog, const QString& message) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr || message.isEmpty()) {
        return;
    }
    struct Placed {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Placed> placed;
    while (grid->count() > 0) {
        Placed p{};
        grid->getItemPosition(0, &p.row, &p.column, &p.rowSpan, &p.columnSpan);
        p.item = grid->takeAt(0);
        placed.push_back(p);
    }
    auto* label = new QLabel(message, &dialog);
    label->setObjectName("message");
    grid->addWidget(label, 0, 0, 1, -1);
    for (const Placed& p : placed) {
        grid->addItem(p.item, p.row + 1, p.column, p.rowSpan, p.columnSpan);
    }
}
}  // namespace

void QtOpenPanel::setChooser(Chooser c) {
    chooser() = std::move(c);
}

void QtOpenPanel::dismissForQuit() {
    quitting_ = true;
    if (open_ != nullptr) {
        open_->reject();
    }
}

namespace {
bool hasExplicitChoice(const QFileDialog& dialog) {
    for (auto* view : dialog.findChildren<QAbstractItemView*>()) {
        if ((view->objectName() == "listView" || view->objectName() == "treeView") &&
            view->selectionModel() != nullptr && view->selectionModel()->hasSelection()) {
            return true;
        }
    }
    const auto* typed = dialog.findChild<QLineEdit*>("fileNameEdit");
    return typed != nullptr && !typed->text().trimmed().isEmpty();
}
}  // namespace

int QtOpenPanel::runModal(const OpenPanelSettings& settings) {
    chosen_.clear();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(QString::fromStdString(settings.title));
    addMessageLine(dialog, QString::fromStdString(settings.message));
    dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(settings.prompt));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A chosen link comes back as the link's own path, never as its target.
    dialog.setOption(QFileDialog::DontResolveSymlinks, !settings.resolvesAliases);
    // No new folders, and no renaming or deleting inside the panel either.
    dialog.setOption(QFileDialog::ReadOnly, !settings.canCreateDirectories);
    if (settings.canChooseDirectories && !settings.canChooseFiles) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
    } else {
        dialog.setFileMode(settings.allowsMultipleSelection ? QFileDialog::ExistingFiles
                                                            : QFileDialog::ExistingFile);
    }
    if (settings.allowsMultipleSelection) {
        // Folder mode selects one row at a time by default; the views take more.
        for (auto* view : dialog.findChildren<QAbstractItemView*>()) {
            if (view->objectName() == "listView" || view->objectName() == "treeView") {
                view->setSelectionMode(QAbstractItemView::ExtendedSelection);
            }
        }
    }

    // The home folder the first time, then the folder last chosen from.
    dialog.setDirectory(lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_);

    if (chooser()) {
        QTimer::singleShot(0, &dialog, [&dialog] { chooser()(dialog); });
    }
    if (quitting_) {
        return 0;
    }
    open_ = &dialog;
    const int result = dialog.exec();
    open_ = nullptr;
    if (result != QDialog::Accepted || quitting_) {
        return 0;
    }
    lastFolder_ = dialog.directory().absolutePath();
    // With nothing selected, the panel would answer the folder it shows, which may be the
    // home folder: only what the person selected or typed is chosen.
    if (!hasExplicitChoice(dialog)) {
        return 0;
    }
    for (const QString& path : dialog.selectedFiles()) {
        chosen_.push_back(QFile::encodeName(path).toStdString());
    }
    return kOpenPanelOK;
}
