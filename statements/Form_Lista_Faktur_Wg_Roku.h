#pragma once
// "Lista faktur w roku ...": the documents of one year (or of all years), an MDI child.
#include "statements/Lista_Faktur.h"

namespace ui {
class DbLookupCombo;
}

class TForm_Lista_Faktur_Wg_Roku : public statements::Lista_Faktur {
    Q_OBJECT
public:
    explicit TForm_Lista_Faktur_Wg_Roku(QWidget* parent = nullptr);

    ui::DbLookupCombo* JvDBLookupCombo_Rok; // "Wszystkie" (every year) or a year
    data::Table* ADOTable_Rok;              // the years, read when the window is created
    data::DataSource* DataSource_Rok;
    QPushButton* Button1; // "Zamknij"

    QString Warunek() const override;
};

extern TForm_Lista_Faktur_Wg_Roku* Form_Lista_Faktur_Wg_Roku;
