#pragma once
// "Lista faktur w okresie czasu": the documents issued within a period, an MDI child.
#include "statements/Lista_Faktur.h"

class QDateEdit;

class TForm_Lista_Faktur_W_Okresie : public statements::Lista_Faktur {
    Q_OBJECT
public:
    explicit TForm_Lista_Faktur_W_Okresie(QWidget* parent = nullptr);

    QDateEdit* JvDateTimePicker_Od;
    QDateEdit* JvDateTimePicker_Do;
    data::Table* ADOTable_Faktura_Szczegoly; // the lines of the current document
    QPushButton* BitBtn_Zamknij;

    QString Warunek() const override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Dzisiaj();
};

extern TForm_Lista_Faktur_W_Okresie* Form_Lista_Faktur_W_Okresie;
