#pragma once

// A dialog's buttons found as a person finds them: by what they say.

#include <QAbstractButton>
#include <QString>
#include <QWidget>

// The dialog's button showing text, or none.
inline QAbstractButton* buttonNamed(const QWidget& dialog, const QString& text) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// Presses the dialog's button showing text, if it has one.
inline void clickButton(const QWidget& dialog, const QString& text) {
    if (QAbstractButton* button = buttonNamed(dialog, text))
        button->click();
}
