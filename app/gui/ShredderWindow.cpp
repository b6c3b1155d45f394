#include "app/gui/ShredderWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QTimer>
#include <QUrl>

ShredderWindow::ShredderWindow() {
    ui.setupUi(this);
    // The bar keeps its place while hidden, so the fields do not jump when a run starts.
    QSizePolicy policy = ui.progress->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    ui.progress->setSizePolicy(policy);
    ui.progress->setHidden(true);

    // A place that looks like one to drop on, with the same choices as the File menu.
    ui.dropArea->setStyleSheet(
        "QFrame#dropArea { border: 2px dashed palette(mid); border-radius: 8px; }");
    const QIcon shredder =
        QIcon::fromTheme("edit-delete-shred",
                         QIcon::fromTheme("zurizede", style()->standardIcon(QStyle::SP_TrashIcon)));
    const int side = style()->pixelMetric(QStyle::PM_LargeIconSize);
    ui.dropIcon->setPixmap(shredder.pixmap(side, side));
    ui.settingsLine->setMenu(ui.menuSettings);
    // A screen reader names an open menu by its own name, which a menu does not take from
    // its title.
    for (QMenu* menu : {ui.menuFile, ui.menuSettings, ui.menuHelp}) {
        menu->setAccessibleName(menu->menuAction()->iconText());
    }
}

void ShredderWindow::closeEvent(QCloseEvent* event) {
    if (!shouldClose || shouldClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

std::vector<std::string> localPaths(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) {
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    return paths;
}

void ShredderWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() != nullptr && !localPaths(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void ShredderWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = localPaths(*event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    // The drop ends first: a run inside it would keep the file manager's drag waiting.
    QTimer::singleShot(0, this, [this, paths = std::move(paths)] {
        if (dropped) {
            dropped(paths);
        }
    });
}
