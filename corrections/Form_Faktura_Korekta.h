#pragma once
// "Korekta faktury": a correction invoice ("KFV") of a stored VAT invoice. The user picks the
// invoice (its header and its current lines under "Pozycje : Było"), replaces chosen lines by
// corrected ones ("Pozycje : winno być") and saves; the store writes the correction, its
// before-images, new lines and reversal lines and detaches the replaced lines in one step.
// The sums are those of the differences, new minus old. An MDI child of the main window.
#include "platform/ui/UnsavedWork.h"
#include "corrections/CorrectionCheck.h"
#include "corrections/CorrectionRows.h"
#include "corrections/CorrectionTarget.h"
#include "corrections/InvoicePicker.h"
#include "documents/DocumentStore.h"

#include <QWidget>

#include <memory>

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
class DbGrid;
class DbLookupCombo;
} // namespace ui

namespace documents {
class LineGrid;
class MemoEdit;
} // namespace documents

class TForm_Faktura_Korekta : public QWidget,
                              public corrections::CorrectionTarget,
                              public corrections::InvoiceReceiver,
                              public ui::UnsavedWork {
    Q_OBJECT
public:
    // Closing the program asks while the document is unsaved.
    bool mayDiscard() override;
    explicit TForm_Faktura_Korekta(QWidget* parent = nullptr);
    ~TForm_Faktura_Korekta() override;

    // Resets the window for a new correction with the given issue date and year texts.
    void Wyczysc_Dokument(const QString& data, const QString& rok);

    // CorrectionTarget: one more corrected line from the corrected-line dialog.
    void Dodaj_Pozycje_Korekty(const QStringList& cells, const documents::DocumentLine& before) override;
    bool Miesci_Sie(const QStringList& cells, const documents::DocumentLine& before) const override
    {
        return rows_->withinBound(cells, before);
    }
    // InvoiceReceiver: the invoice chosen in the picker, by its final identity. The tables are read
    // afresh first; when the row is gone the window shows no invoice. Landing on another invoice
    // than the one shown empties the corrected lines.
    void Wstaw_Fakture(const documents::Identity& koncowa) override;

    // The three grids of the corrected lines.
    const corrections::CorrectionRows& Pozycje() const { return *rows_; }

    // Tests: called before each write step of the save (DocumentStore::setStepHook).
    documents::DocumentStore::StepHook Krok_Zapisu;

    QLineEdit* LEdit_Wyroznik;
    QLineEdit* LEdit_Nr;
    QLineEdit* LEdit_Rok;
    QLineEdit* LEdit_Data_Wyst;
    QPushButton* Button1;

    ui::DbEdit* DBEdit_Wyroznik;
    ui::DbEdit* DBEdit_Numer;
    ui::DbEdit* DBEdit_Rok;
    ui::DbEdit* DBEdit_Data_Wyst;
    ui::DbEdit* DBEdit_Data_Sprzedarzy;
    ui::DbEdit* DBEdit_Miejsce_Wyst;
    ui::DbEdit* DBEdit_Nazwa;
    ui::DbEdit* DBEdit_Nazwa_cd;
    ui::DbEdit* DBEdit_Kod;
    ui::DbEdit* DBEdit_Miasto;
    ui::DbEdit* DBEdit_Adres;
    ui::DbCheckBox* DBCBox_Czy_Firma;
    ui::DbEdit* DBEdit_NIP;
    ui::DbEdit* DBEdit_Netto_Brutto;
    ui::DbEdit* DBEdit_Id;
    ui::DbEdit* DBEdit_Nr_Klienta;

    ui::DbGrid* DBGrid_Faktura_Szcz;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    documents::LineGrid* StringGrid1;

    ui::DbLookupCombo* DBLookupComboBox1;
    ui::DbEdit* DBEdit_Forma_Zap;
    QLineEdit* LEdit_Ilosc_Dni;
    QPushButton* BitBtn3;
    QLineEdit* LEdit_Data_Zap;
    documents::MemoEdit* JvMemo1;
    QLineEdit* LEdit_Suma_Netto;
    QLineEdit* LEdit_Suma_Brutto;
    QLineEdit* DBEdit_New_Id; // the key of the saved correction (hidden)

    QPushButton* BitBtn_Zapisz;
    QPushButton* BitBtn_Drukuj;
    QPushButton* BitBtn_Nowa;
    QPushButton* BitBtn_Zamknij;

    data::Table* ADOTable_Faktura;
    data::DataSource* DataSource_Faktura;
    data::Table* ADOTable_Faktura_Szczegol;
    data::DataSource* DataSource_Faktura_Szczegol;
    data::Table* ADOTable_Forma_Zap;
    data::DataSource* DataSource_Forma_Zap;

public slots:
    void Button1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void DBLookupComboBox1CloseUp();
    void BitBtn3Click();
    void BitBtn_ZapiszClick();
    void BitBtn_DrukujClick();
    void BitBtn_NowaClick();
    void BitBtn_ZamknijClick();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate();
    // The Id of the invoice shown, 0 when none.
    qint64 Id_Faktury() const;
    void Pokaz_Sumy();
    void Pokaz_Blad(const corrections::Blad& b);
    QWidget* Pole_Bledu(corrections::Pole p) const;

    std::unique_ptr<corrections::CorrectionRows> rows_;
};

extern TForm_Faktura_Korekta* Form_Faktura_Korekta;
