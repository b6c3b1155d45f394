#pragma once

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "ui_MainWindow.h"

class QMimeData;

// The one window, built from the interface file. It hands what is dropped on it and its
// close requests to whoever set the callbacks.
class ShredderWindow : public QMainWindow {
    Q_OBJECT
public:
    ShredderWindow();

    Ui::MainWindow ui;
    // Answers whether the window may close now.
    std::function<bool()> shouldClose;
    std::function<void(const std::vector<std::string>&)> dropped;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The paths of the local files and folders a drop carries, as the file system's bytes.
std::vector<std::string> localPaths(const QMimeData& data);
