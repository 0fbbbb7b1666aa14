#pragma once
// Plays the user at the program's message box (Form_Komunikat) while it exists: the text of
// every message shown is kept in `texts` and the box answered with `box`; any other dialog
// without a queued handler is answered with `other` and its title kept in `others`. With
// `pressClose` the box is closed by its own button first, as the user closes it.
#include "platform/ui/Modal.h"
#include "shell/Form_Komunikat.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

class MessageCapture {
public:
    explicit MessageCapture(ui::Script& script, int box = QDialog::Accepted, int other = QDialog::Rejected,
                            bool pressClose = false)
    {
        script.setDefault([this, box, other, pressClose](QDialog* d) -> int {
            if (d == Form_Komunikat) {
                texts << Form_Komunikat->JvLabel1->text();
                if (pressClose)
                    Form_Komunikat->BitBtn1->click();
                return box;
            }
            others << d->windowTitle();
            return other;
        });
    }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    QStringList texts;
    QStringList others;
};
