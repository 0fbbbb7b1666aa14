#pragma once
// The picker of the invoice to edit ("Faktura do poprawy..."): the VAT invoices of a year that
// may still be edited, with sorting, searching and the chosen invoice's lines; "Wstaw" loads the
// chosen one into the editing window. Created at start-up, shown modally.
#include "platform/ui/Dialog.h"

class QPushButton;

namespace data {
class DataSource;
class Table;
} // namespace data
namespace ui {
class DbGrid;
class DbLookupCombo;
} // namespace ui
namespace dictionaries {
class SortSearchBar;
}

class TForm_Do_Poprawy : public ui::Dialog {
    Q_OBJECT
public:
    explicit TForm_Do_Poprawy(QWidget* owner = nullptr);

    // Prepares the lists for `rok` and shows the picker modally.
    void Otworz(int rok);

    data::Table* ADOTable_Rok;
    data::Table* ADOTable_Faktura_Poprawa;
    data::Table* ADOTable_Faktura_Szczegoly;
    data::DataSource* DataSource_Rok;
    data::DataSource* DataSource_Faktura_Poprawa;
    data::DataSource* DataSource_Faktura_Szczegoly;

    ui::DbLookupCombo* JvDBLookupCombo_Rok;
    dictionaries::SortSearchBar* Pasek; // JvCBox_Sort, JvCBox_Szukaj, Edit_Szukaj, BitBtn_Szukaj
    ui::DbGrid* DBGrid1;
    ui::DbGrid* DBGrid2;
    QPushButton* BitBtn_Wstaw;
    QPushButton* BitBtn_Anuluj;

public slots:
    void JvDBLookupCombo_RokClick();
    void BitBtn_WstawClick();

protected:
    // Every way of closing puts the sort and search back to their first items. Leaving without a
    // choice ("Anuluj / Zamknij", Esc, the title-bar close) asks first and, unless the user keeps
    // the picker open, closes the editing window as well.
    bool closing(int result) override;

private:
    void Filtruj(const QString& rok);
    // The question of leaving without a choice; false when the user keeps the picker open.
    bool Porzuc_Poprawe();
};

extern TForm_Do_Poprawy* Form_Do_Poprawy;
