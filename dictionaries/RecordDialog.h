#pragma once
// The two entry dialogs of the dictionaries.
//
// NewRecordDialog: unbound edits; "Zapisz" runs the dictionary's checks in order (the first
// refusal is shown in the message box and its field gets the focus; nothing is written), then
// writes a new row into the dictionary's shared table; a second button empties the entry for the
// next record and the third closes.
//
// EditRecordDialog: data-aware edits over a table of its own on the shared connection, opened on
// the one row being changed (Otworz) and put into edit mode; "Zapisz" checks, posts, refreshes the
// shared table and closes; every other way of closing (its "Anuluj", Esc, the close box) drops the
// pending change.
//
// Each dictionary configures the shape with its fields, checks and what it writes; the rare
// extra (the VAT-rate combo of the goods dialogs) is added by the dictionary's own class.
#include "dictionaries/Rules.h"
#include "platform/ui/Dialog.h"

#include <QHash>
#include <QPointer>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace data {
class DataSource;
class Dataset;
class Table;
} // namespace data

namespace dictionaries {

enum class Rodzaj {
    Tekst,       // an edit
    Zaznaczenie, // a check box
    TylkoOdczyt, // an edit the user cannot change (bound dialogs: the key)
};

struct Pole {
    // The dialogs' tables give a field's first properties in this order and leave the rest as
    // they are by default.
    Pole(QString nazwa = {}, QString etykieta = {}, QString kolumna = {}, int maks = 0, Rodzaj rodzaj = Rodzaj::Tekst,
         QString poczatek = {})
        : nazwa(std::move(nazwa)), etykieta(std::move(etykieta)), kolumna(std::move(kolumna)), maks(maks),
          rodzaj(rodzaj), poczatek(std::move(poczatek))
    {}
    QString nazwa;    // object name, e.g. "LEdit_Nazwa"
    QString etykieta; // caption beside it (and its accessible name)
    QString kolumna;  // column of the bound dialogs; empty in the new-record dialogs
    int maks = 0;     // longest text accepted; 0: no limit
    Rodzaj rodzaj = Rodzaj::Tekst;
    QString poczatek;       // text after clearing (e.g. "0,00")
    bool czyszczone = true; // emptied by "Nowy" / on showing and closing
    bool ukryta = false;    // kept out of sight (values the checks read)
    // A control of the dictionary's own kind (a lookup combo); bound by the dictionary's class.
    std::function<QWidget*(QWidget*)> utworz;
};

struct Przyciski {
    QString zapisz = QStringLiteral("BitBtn_Zapisz");
    QString zapiszNapis = QStringLiteral("Zapisz");
    QString nowy; // object name; empty: no such button
    QString nowyNapis;
    QString zamknij = QStringLiteral("BitBtn_Anuluj");
    QString zamknijNapis = QStringLiteral("Anuluj / Zamknij");
};

// What a dialog and its checks see of its controls.
class EditRecordDialog;

class RecordDialog : public ui::Dialog {
    Q_OBJECT
public:
    RecordDialog(QString nazwa, QString tytul, QWidget* parent);

    // The control by object name (fields, extras and buttons).
    QWidget* kontrolka(const QString& nazwa) const { return controls_.value(nazwa); }
    QPushButton* przycisk(const QString& nazwa) const;
    // Text of edits and combos, state of check boxes, by control name.
    Wpis wpis() const;

    // Runs `reguly` on the entry; at a refusal shows its message, focuses its control and
    // returns false.
    bool sprawdz(const Reguly& reguly);

protected:
    // Adds the controls of `pola` in the entry order: the dictionary's own controls, check boxes
    // and edits made by `zaznaczenie` and `tekst` (the text limit and the width are set here).
    void budujPola(const std::vector<Pole>& pola, const std::function<QCheckBox*(const Pole&)>& zaznaczenie,
                   const std::function<QLineEdit*(const Pole&)>& tekst);
    // Adds a control of the dictionary's own (a lookup combo) in the entry order.
    void dodajKontrolke(const QString& nazwa, const QString& etykieta, QWidget* w, bool ukryta = false);
    void dodajPrzyciski(const Przyciski& p);
    // Completes the entry before the checks see it (values the controls do not show).
    virtual void uzupelnijWpis(Wpis&) const {}

    QFormLayout* form_;
    QHash<QString, QWidget*> controls_;
    std::vector<Pole> pola_;
    Przyciski przyciski_;
};

struct UstawieniaNowego {
    QString nazwa; // "Form_Nowy_Klient"
    QString tytul; // "Nowy Klient"
    std::vector<Pole> pola;
    Przyciski przyciski;
    std::function<Reguly()> reguly;          // built at each "Zapisz"
    std::function<void(const Wpis&)> zapisz; // writes the new row
    bool wylaczZapiszPoZapisie = true;       // one click, one record
    int wynikZamkniecia = QDialog::Rejected; // result of its close button
};

class NewRecordDialog : public RecordDialog {
    Q_OBJECT
public:
    NewRecordDialog(UstawieniaNowego u, QWidget* parent);

    // "Zapisz": true when a record was written.
    bool Zapisz();
    // Empties the entry (the fields marked so) and enables "Zapisz".
    virtual void Wyczysc_Pola();

protected:
    bool closing(int result) override;
    void showing() override;
    // Puts the focus on the entry's first field.
    void naPierwszePole();

    UstawieniaNowego u_;
};

struct UstawieniaPoprawy {
    QString nazwa;       // "Form_Popraw_Klient"
    QString tytul;       // "Popraw dane Klienta"
    QString tabela;      // "Klienci"
    QString nazwaTabeli; // object name of the own table ("ADOTable_Klient")
    std::vector<Pole> pola;
    Przyciski przyciski;
    std::function<Reguly(EditRecordDialog&)> reguly;
    std::function<data::Dataset*()> odswiez; // the shared table refreshed after a save
};

class EditRecordDialog : public RecordDialog {
    Q_OBJECT
public:
    EditRecordDialog(UstawieniaPoprawy u, QWidget* parent);
    ~EditRecordDialog() override;

    // Opens the own table on the rows of `filtr` (built with data::quote for its values) and puts
    // its first row into edit mode. False when no row matches (nothing is opened).
    bool Otworz(const QString& filtr);

    // "Zapisz": true when the row was posted and the dialog closed.
    bool Zapisz();

    data::Table* tabela() const { return table_; }
    data::DataSource* zrodlo() const { return source_; }

protected:
    bool closing(int result) override;
    // Writes what the controls do not write themselves, just before the post.
    virtual void przedZapisem() {}
    // Called after Otworz put the row into edit mode.
    virtual void poOtwarciu() {}

    UstawieniaPoprawy u_;
    data::Table* table_;
    data::DataSource* source_;
};

} // namespace dictionaries
