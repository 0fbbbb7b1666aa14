#pragma once
// What the dictionary checks read from the database, afresh at every call.
#include <QString>

namespace data {
class Connection;
}

namespace dictionaries {

// A row of `tabela` whose `kolumna` equals `wartosc`, ignoring case ("K1" is free while "K10"
// exists). `warunek` narrows the rows (SQL, e.g. "Arch=0"); empty: every row, archived ones too.
bool czyZajety(data::Connection& c, const QString& tabela, const QString& kolumna, const QString& wartosc,
               const QString& warunek = QString());

// Basic VAT rates that are not archived.
int liczbaPodstawowych(data::Connection& c);

// Whether the rate named `nazwa` is a basic one (archived rates included): the PKWiU rule of
// goods whose stored rate has been retired.
bool czyStawkaPodstawowa(data::Connection& c, const QString& nazwa);

} // namespace dictionaries
