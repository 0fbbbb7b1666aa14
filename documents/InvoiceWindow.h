#pragma once
// The window in which a new invoice is typed and saved: header, client block, payment, the line
// grid with its totals, the price mode, and the save that numbers the document. The VAT invoice
// window is this window for the type "FV"; the pro forma window is the same window for "PFV".
#include "documents/DocumentStore.h"
#include "documents/InvoiceCheck.h"
#include "documents/InvoiceTexts.h"
#include "documents/LineGrid.h"
#include "documents/LineTarget.h"
#include "platform/ui/UnsavedWork.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class Table;
class DataSource;
} // namespace data

namespace ui {
class DbLookupCombo;
class DbEdit;
} // namespace ui

namespace documents {

class MemoEdit;

// What tells the VAT invoice window from the pro forma window.
struct InvoiceKind {
    QString typ;         // the caller code the picks and line dialogs know: "FV", "PFV", "FV_P"
    QString caption;     // window caption
    bool plainEmptyDate; // the empty issue date goes to the plain message dialog
    int kodMaxLength;    // typed postal code limit
    // The editing window: the year, issue date and price mode of a stored invoice are shown,
    // not chosen (the mode in a read-only edit instead of the combo), and nothing is numbered.
    bool editing = false;
};

class InvoiceWindow : public QWidget, public LineTarget, public ui::UnsavedWork {
    Q_OBJECT
public:
    InvoiceWindow(const InvoiceKind& kind, QWidget* parent);
    ~InvoiceWindow() override;

    // Resets the window for a new document with the given issue date and year texts.
    virtual void Wyczysc_Dokument(const QString& data, const QString& rok);

    // UnsavedWork: asks the question while the document is unsaved.
    bool mayDiscard() override { return Mozna_Porzucic(); }

    // LineTarget
    LineGridModel& lineGrid() override { return StringGrid1->lines(); }
    void linesChanged() override;

    // The price mode shown in the combo (the editing window: in its read-only edit).
    PriceMode Tryb() const;
    QString Tryb_Tekst() const;

    QLineEdit* LEdit_Wyroznik;
    QLineEdit* LEdit_Nr;
    QLineEdit* LEdit_Rok;
    QLineEdit* LEdit_Data_Wyst;
    QLineEdit* LEdit_Data_Sprzedarzy;
    QLineEdit* LEdit_Miejsce_Wyst;
    QLineEdit* LEdit_Nazwa;
    QLineEdit* LEdit_Nazwa_cd;
    QLineEdit* LEdit_Nr_Klienta;
    QLineEdit* LEdit_Kod;
    QLineEdit* LEdit_Miasto;
    QLineEdit* LEdit_Adres;
    QCheckBox* CBox_Czy_Firma;
    QLineEdit* LEdit_NIP;
    QComboBox* CBox_Netto_Brutto;
    QLineEdit* Edit_Netto_Brutto = nullptr; // the editing window's stored mode
    ui::DbLookupCombo* DBLookupComboBox1;
    ui::DbEdit* DBEdit_Forma;
    QLineEdit* LEdit_Ilosc_Dni;
    QPushButton* BitBtn1;
    QLineEdit* LEdit_Data_Zap;
    MemoEdit* JvMemo1;
    QLineEdit* LEdit_Suma_Netto;
    QLineEdit* LEdit_Suma_Brutto;
    QLineEdit* DBEdit_Id; // the key of the last saved document (hidden)
    LineGrid* StringGrid1;

    QPushButton* BitBtn_Pobierz;
    QPushButton* BitBtn_Dodaj;
    QPushButton* BitBtn_Popraw;
    QPushButton* BitBtn_Usun;
    QPushButton* BitBtn_Zapisz;
    QPushButton* BitBtn_Drukuj;
    QPushButton* BitBtn_Nowa;
    QPushButton* BitBtn_Zamknij;

    data::Table* ADOTable_Forma_Zap;
    data::DataSource* DataSource_Forma_Zap;

public slots:
    void BitBtn_PobierzClick();
    void BitBtn_DodajClick();
    void BitBtn_PoprawClick();
    void BitBtn_UsunClick();
    void CBox_Netto_BruttoChange();
    void DBLookupComboBox1CloseUp();
    void BitBtn1Click();
    void BitBtn_ZapiszClick();
    void BitBtn_DrukujClick();
    virtual void BitBtn_NowaClick();
    void BitBtn_ZamknijClick();

protected:
    void closeEvent(QCloseEvent* e) override;

    // The window's texts as the save takes them.
    InvoiceDocument Teksty() const;
    // Writes the checked document; the VAT invoice and pro forma windows number a new one.
    virtual SaveOutcome Zapisz(DocumentStore& store, const Document& d, const FirstNumberPrompt& prompt);
    // Whether closing may go on: asks the question while the document is unsaved.
    bool Mozna_Porzucic();
    void Uloz_Siatke(PriceMode mode, bool poZmianie);
    const InvoiceKind& rodzaj() const { return kind_; }

private:
    void FormCreate();
    void Ustaw_Tryb_Z_Rejestru();
    void Pokaz_Blad(const HeaderFailure& f);
    QWidget* Pole(HeaderField f) const;

    InvoiceKind kind_;
};

} // namespace documents
