#pragma once
// What the add-line and edit-line dialogs share: the entry fields, the VAT rate lookup over the
// dialog's own rate table (archived rates left out), the caller code and price mode, the checks
// and arithmetic of a line, and the clearing of the entry. The two dialogs differ only in their
// layout, their buttons and in what they do with a checked line.
#include "documents/LineMath.h"
#include "platform/ui/Dialog.h"

#include <functional>
#include <initializer_list>

class QLineEdit;
class QPushButton;

namespace data {
class Table;
class DataSource;
} // namespace data

namespace ui {
class DbLookupCombo;
class DbEdit;
class DbCheckBox;
} // namespace ui

namespace documents {

class LineGridModel;
class LineTarget;

class LineDialog : public ui::Dialog {
    Q_OBJECT
public:
    // The caller's code: "FV", "PFV" or "FV_P". It tells the dialog which window gets the line.
    void Ustaw_Typ_Faktury(const QString& typ) { Typ_Faktury = typ; }
    // The caller's price mode, "netto" or "brutto".
    void Ustaw_Netto_Brutto(const QString& tryb) { Tryb_Netto_Brutto = tryb; }
    QString Daj_Netto_Brutto() const { return Tryb_Netto_Brutto; }

    // Opens the rate table (again), so that rates archived meanwhile are not offered.
    void Otworz_Stawki();

    QLineEdit* LEdit_Symbol;
    QLineEdit* LEdit_Nazwa;
    QLineEdit* LEdit_Nazwa_cd;
    QLineEdit* LEdit_PKWIU;
    QLineEdit* LEdit_Cena;
    QLineEdit* LEdit_Jm;
    QLineEdit* LEdit_Ilosc;
    QLineEdit* LEdit_Rabat;
    ui::DbLookupCombo* DBLCBox_Vat;
    ui::DbEdit* DBEdit_Vat;
    ui::DbCheckBox* DBCheckBox_Czy_Podst;
    QPushButton* BitBtn_Wstaw;
    QPushButton* BitBtn_Zmknij;

    data::Table* ADOTable_Vat;
    data::DataSource* DataSource1;

    QString Typ_Faktury;
    QString Tryb_Netto_Brutto;

protected:
    explicit LineDialog(QWidget* owner);

    // The typed line, checked and computed in the caller's mode; on a failure the message is
    // shown, the focus goes to its field and nothing is returned.
    std::optional<LineResult> Sprawdz_Pozycje();
    // The window that called the dialog, or nullptr.
    LineTarget* Cel() const;
    // Checks the typed line (as Sprawdz_Pozycje); when it passes and the calling window is there,
    // `wstaw` puts the line's cells into the window's grid and the window is told its lines
    // changed. Returns whether the line went in.
    // `zastepowany`: the grid row the line replaces (-1 for a new line); the document's totals
    // with the line must stay within what a document takes.
    bool Przekaz_Pozycje(const std::function<void(LineGridModel& grid, const QStringList& cells)>& wstaw,
                         int zastepowany = -1);
    // Empties the entry and chooses no rate.
    void Wyczysc_Wpis();
    void Zamknij_Stawki();

    void showing() override;
    // "Zamknij", Esc and the title-bar close: the entry is emptied and the rates closed.
    bool closing(int result) override;

    // Lays out the price row (price, unit, quantity, discount in the dialog's own order) left to
    // right before the rate combo.
    void Uloz_Wiersz_Ceny(std::initializer_list<QLineEdit*> pola);

    PriceMode tryb() const;
};

} // namespace documents
