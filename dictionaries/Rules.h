#pragma once
// Entry checks of the dictionary dialogs as plain data: each rule names the control it looks at,
// the message the user sees and when it refuses. The dialogs run the rules in order, show the
// first refusal through the message box and put the focus on its control; nothing here shows
// anything, so the order and the texts can be tested without a window.
#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace dictionaries {

// What the rules see of a dialog: edits as their text, check boxes as bool, the rate combo as its
// text, keyed by control name ("LEdit_Nazwa", "CBox_Czy_Podst", ...).
using Wpis = QHash<QString, QVariant>;

// One refusal: the message and the control that gets the focus.
struct Odmowa {
    QString komunikat;
    QString pole;
    bool operator==(const Odmowa&) const = default;
};

struct Regula {
    QString pole;                                  // control that gets the focus
    std::function<QString(const Wpis&)> komunikat; // message (may quote the typed value)
    std::function<bool(const Wpis&)> odmawia;      // true: refuse with this rule
};
using Reguly = std::vector<Regula>;

// The first rule that refuses the entry, or nothing when all pass.
std::optional<Odmowa> pierwszaOdmowa(const Reguly& reguly, const Wpis& wpis);

// Text and state of a control in the entry (empty text / false when absent).
QString tekst(const Wpis& wpis, const QString& pole);
bool zaznaczone(const Wpis& wpis, const QString& pole);

// Number conversions of the entry fields, in the desktop's number format (decimal comma).
// An integer is an optional sign and decimal digits; a real number may carry the decimal
// separator. No blanks: what passes here is what the fields accept.
std::optional<int> naCalkowita(const QString& s);
std::optional<double> naRzeczywista(const QString& s);

// Lookups the rules make in the database, read at the moment of the check (each "Zapisz").
using CzyZajety = std::function<bool(const QString&)>; // a stored key equals the text (any case)
using Liczba = std::function<int()>;

// VAT rates.
Reguly regulyNowejStawki(CzyZajety nazwaZajeta, Liczba liczbaPodstawowych);
// `innePodstawowe`: basic rates not archived other than the edited one.
Reguly regulyPoprawStawki(Liczba innePodstawowe);

// Goods and services. The rate's basic flag comes as "DBCBox_Czy_Podst" / "DBCheckBox_Podst".
Reguly regulyNowegoTowaru(CzyZajety symbolZajety);
Reguly regulyPoprawTowaru();

// Clients.
Reguly regulyNowegoKlienta(CzyZajety numerZajety, CzyZajety nipZajety);
Reguly regulyPoprawKlienta();

} // namespace dictionaries
