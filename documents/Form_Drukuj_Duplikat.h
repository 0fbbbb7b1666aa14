#pragma once
// "Drukuj duplikat ...": prints a duplicate of a saved document through the print dialog and
// records in the document that a duplicate was issued, with its date. The caller presets Edit_Id,
// LEdit_Typ, LEdit_Nr, LEdit_Rok and Edit_Netto_Brutto from the document's row.
#include "platform/ui/Dialog.h"

#include <QDate>
#include <QString>

class QDateEdit;
class QLineEdit;
class QPushButton;

namespace data {
class Connection;
class Table;
} // namespace data

// Marks the document whose Id is `id` (text of a whole number) as having a duplicate dated
// `data`, through the document store in a transaction of its own. Returns false and writes
// nothing for an id that is empty, not a number or no document's; a database failure throws
// data::Error and leaves the document unmarked.
bool Zapisz_Duplikat(data::Connection& polaczenie, const QString& id, const QDate& data);

class TForm_Drukuj_Duplikat : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Drukuj_Duplikat(QWidget* owner = nullptr);

    QLineEdit* LEdit_Typ;
    QLineEdit* LEdit_Nr;
    QLineEdit* LEdit_Rok;
    QDateEdit* JvDTP;
    QLineEdit* Edit_Id;
    QLineEdit* Edit_Netto_Brutto;
    QPushButton* BitBtn_Drukuj;
    QPushButton* BitBtn_Anuluj;
    // Faktura on the data module's connection (taken when first needed); open only while marking.
    data::Table* ADOTable_Faktura;

public slots:
    void BitBtn_DrukujClick();

protected:
    void showing() override;
    bool closing(int result) override;
};

extern TForm_Drukuj_Duplikat* Form_Drukuj_Duplikat;
