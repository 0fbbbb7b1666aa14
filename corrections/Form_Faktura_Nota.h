#pragma once
// "Nota korygująca": a correction note ("NFV") that changes the buyer of a stored VAT invoice.
// The user picks the invoice, types the new buyer (or takes it from the clients) and saves; the
// store keeps the invoice's old header, writes the note with the invoice's final identity and
// takes that identity from the invoice, in one step. The invoice's lines then show under the
// note. An MDI child of the main window.
#include "platform/ui/UnsavedWork.h"
#include "corrections/CorrectionCheck.h"
#include "corrections/InvoicePicker.h"
#include "documents/DocumentStore.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace data {
class Table;
class DataSource;
} // namespace data

namespace ui {
class DbCheckBox;
class DbEdit;
} // namespace ui

namespace documents {
class MemoEdit;
}

class TForm_Faktura_Nota : public QWidget, public corrections::InvoiceReceiver, public ui::UnsavedWork {
    Q_OBJECT
public:
    // Closing the program asks while the document is unsaved.
    bool mayDiscard() override;
    explicit TForm_Faktura_Nota(QWidget* parent = nullptr);
    ~TForm_Faktura_Nota() override;

    // Resets the window for a new note with the given issue date and year texts.
    void Wyczysc_Dokument(const QString& data, const QString& rok);

    // InvoiceReceiver: the window's own table filtered to the chosen invoice.
    void Wstaw_Fakture(const documents::Identity& koncowa) override;

    // Tests: called before each write step of the save (DocumentStore::setStepHook).
    documents::DocumentStore::StepHook Krok_Zapisu;

    QLineEdit* LEdit_Typ;
    QLineEdit* LEdit_Nr;
    QLineEdit* LEdit_Rok;
    QLineEdit* LEdit_Data_Wyst;
    QPushButton* BitBtn_Pobierz;

    ui::DbEdit* DBEdit_Typ;
    ui::DbEdit* DBEdit_Nr;
    ui::DbEdit* DBEdit_Rok;
    ui::DbEdit* DBEdit_Data_Wyst;
    ui::DbEdit* DBEdit_Data_Sprzedazy;
    ui::DbEdit* DBEdit_Miejsce_Wyst;
    ui::DbEdit* DBEdit_Nazwa;
    ui::DbEdit* DBEdit_Nazwa_cd;
    ui::DbCheckBox* DBCBox_Czy_Firma;
    ui::DbEdit* DBEdit_Nr_Klienta;
    ui::DbEdit* DBEdit_NIP;
    ui::DbEdit* DBEdit_Kod;
    ui::DbEdit* DBEdit_Miasto;
    ui::DbEdit* DBEdit_Adres;
    ui::DbEdit* DBEdit_Id;
    ui::DbEdit* DBEdit_Netto_Brutto;

    QLineEdit* LEdit_Nazwa;
    QLineEdit* LEdit_Nazwa_cd;
    QCheckBox* CBox_Czy_Firma;
    QLineEdit* LEdit_NIP;
    QLineEdit* LEdit_Kod;
    QLineEdit* LEdit_Miasto;
    QLineEdit* LEdit_Adres;
    QLineEdit* LEdit_Nr_Klienta; // hidden: filled only by the client pick
    QPushButton* BitBtn_Pobierz_Klienta;
    documents::MemoEdit* JvMemo1;
    QLineEdit* Edit_Id_Noty; // the key of the saved note (hidden)

    QPushButton* BitBtn_Zapisz;
    QPushButton* BitBtn_Drukuj;
    QPushButton* BitBtn_Nowa;
    QPushButton* BitBtn_Anuluj;

    data::Table* ADOTable_Faktura;
    data::DataSource* DataSource_Faktura;

public slots:
    void BitBtn_PobierzClick();
    void BitBtn_Pobierz_KlientaClick();
    void BitBtn_ZapiszClick();
    void BitBtn_DrukujClick();
    void BitBtn_NowaClick();
    void BitBtn_AnulujClick();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Pokaz_Blad(const corrections::Blad& b);
};

extern TForm_Faktura_Nota* Form_Faktura_Nota;
