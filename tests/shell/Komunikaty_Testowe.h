#pragma once
// Test helpers for the windows of the program: a scratch settings file, the scripted user and
// a record of what the message box showed.
#include "platform/registry/Registry.h"
#include "platform/ui/Modal.h"
#include "shell/Form_Komunikat.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Points the settings store at an empty file of a scratch folder for the life of the object.
class RejestrTestowy {
public:
    RejestrTestowy()
    {
        EXPECT_TRUE(dir_.isValid());
        registry::setStorePath(dir_.filePath(QStringLiteral("rejestr.ini")));
    }
    ~RejestrTestowy() { registry::setStorePath(QString()); }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Plays the user while it exists: every message box is closed with "Zamknij" and its text kept;
// any other dialog without a queued handler is cancelled and its title kept in `inne`.
class Komunikaty {
public:
    explicit Komunikaty(ui::Script& script)
    {
        script.setDefault([this](QDialog* d) -> int {
            if (d == Form_Komunikat) {
                teksty << Form_Komunikat->JvLabel1->text();
                Form_Komunikat->BitBtn1->click();
                return QDialog::Accepted;
            }
            inne << d->windowTitle();
            return QDialog::Rejected;
        });
    }
    QStringList teksty;
    QStringList inne;
};

// Runs the events posted so far (messages raised from show handlers wait for the event loop).
inline void przetworzZdarzenia()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
