#pragma once
// The parameter dialogs of the sales reports. Each collects a period (and the document types, a
// client or a goods item) and calls its entry point of the sales report library, which previews
// the report and returns when the preview is closed. The dialogs stay open for another report.
#include "reportlib/Salvista.h"
#include "platform/ui/Dialog.h"

#include <QByteArray>

#include <functional>

class QApplication;
class QDateEdit;
class QPushButton;
class QVBoxLayout;

namespace statements {

struct Ustawienia_Wydruku {
    QString nazwa;                // object name of the dialog
    QString tytul;                // caption
    const char* raport = nullptr; // exported name of the entry point
    QString nazwaOd, nazwaDo;     // object names of the two date pickers
};

class Wydruk_Sprzedazy : public ui::Dialog {
    Q_OBJECT
public:
    Wydruk_Sprzedazy(Ustawienia_Wydruku u, QWidget* owner);

    QDateEdit* Od;
    QDateEdit* Do;
    QPushButton* BitBtn_Wykonaj;
    QPushButton* BitBtn_Zamknij;

    // Finds an entry point of the sales report library by its exported name; nullptr when the
    // library or the entry point is missing (sys::lastErrorText() says why). By default the
    // library is the main window's, loaded at the first report and looked for again after a
    // failure; tests put a library of their own here.
    std::function<void*(const char* nazwa)> Znajdz_Raport;

public slots:
    void BitBtn_WykonajClick();

protected:
    // Where a dialog puts what it asks for besides the period.
    QVBoxLayout* tresc() const { return tresc_; }
    // Calls the entry point with the period; the dialogs with more arguments add theirs.
    virtual void Wywolaj(void* raport, QApplication* aplikacja, const QByteArray& od, const QByteArray& do_);
    void showing() override;
    // More to do at each showing, after the dates are set to today.
    virtual void przyPokazaniu() {}

private:
    Ustawienia_Wydruku u_;
    QVBoxLayout* tresc_;
};

} // namespace statements
