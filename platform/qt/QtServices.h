#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "platform/Panels.h"
#include "platform/Services.h"

class QMessageBox;
class QAbstractButton;
class QFileDialog;

// Alert panels as QMessageBox. Tests answer them through the seam: the answerer gets the
// fully built box and names the button a person would press.
class QtAlertPanels : public AlertPanels {
public:
    using Answerer = std::function<QAbstractButton*(QMessageBox&)>;
    static void setAnswerer(Answerer answerer);

    int run(const Alert& alert) override;
    // The application is quitting: the alert open now, and any asked for later, is answered
    // with the button that means cancel, so that a run waiting for an answer ends.
    void dismissForQuit();

private:
    std::vector<QMessageBox*> open_;
    bool quitting_ = false;
};

// The open panel as a non-native QFileDialog, the one that lets a person choose several
// folders at once. Tests act as the person through the seam: the chooser runs inside the
// panel's event loop and selects and presses what a person would.
class QtOpenPanel : public OpenPanel {
public:
    using Chooser = std::function<void(QFileDialog&)>;
    static void setChooser(Chooser chooser);

    // Opens in the home folder the first time, then where the last choice was made; answers
    // OK only for what the person selected or typed, never for the folder merely shown.
    int runModal(const OpenPanelSettings& settings) override;
    std::vector<std::string> filenames() const override { return chosen_; }
    // The application is quitting: the panel open now, and any asked for later, chooses
    // nothing.
    void dismissForQuit();

private:
    std::vector<std::string> chosen_;
    QString lastFolder_;
    QFileDialog* open_ = nullptr;
    bool quitting_ = false;
};
