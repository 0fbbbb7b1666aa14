#pragma once
// Test helpers for the windows of the program: a scratch settings file, the scripted user and
// a record of what the message box showed.
#include "platform/registry/Registry.h"
#include "platform/ui/Modal.h"
#include "shell/Form_Komunikat.h"
#include "tests/support/MessageCapture.h"

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
class Komunikaty : public MessageCapture {
public:
    explicit Komunikaty(ui::Script& script) : MessageCapture(script, QDialog::Accepted, QDialog::Rejected, true) {}
    QStringList& teksty = texts;
    QStringList& inne = others;
};

// Runs the events posted so far (messages raised from show handlers wait for the event loop).
inline void przetworzZdarzenia()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
