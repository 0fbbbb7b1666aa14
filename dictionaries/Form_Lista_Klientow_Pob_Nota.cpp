#include "dictionaries/Form_Lista_Klientow_Pob_Nota.h"
#include "platform/ui/Connect.h"

#include "dictionaries/Form_Lista_Klientow_Pob.h"
#include "dictionaries/PickTargets.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"
#include "shell/DataModule1.h"

TForm_Lista_Klientow_Pob_Nota* Form_Lista_Klientow_Pob_Nota = nullptr;

using namespace dictionaries;

TForm_Lista_Klientow_Pob_Nota::TForm_Lista_Klientow_Pob_Nota(QWidget* owner)
    : PickDialog(TForm_Lista_Klientow_Pob::ustawienia(true), owner)
{
    JvDBUltimGrid1 = panel()->siatka();
    // The remarks may be changed here: a change is stored when the user leaves the field.
    ui::DbEdit* uwagi = panel()->szczegol(QStringLiteral("DBEdit1"));
    uwagi->setReadOnly(false);
    uwagi->setMaxLength(255);
    ui::on(uwagi, &QLineEdit::editingFinished, this, [uwagi] {
        data::Table* k = DataModule1 ? DataModule1->ADOTable_Klienci : nullptr;
        if (!k || !k->isActive() || k->state() != data::State::Browse || k->recNo() <= 0)
            return;
        if (k->fieldByName(QStringLiteral("Uwagi")).asString() == uwagi->text())
            return;
        k->edit();
        uwagi->updateRecord();
        k->post();
    });
}

void TForm_Lista_Klientow_Pob_Nota::Wstaw_Dane_Klienta()
{
    const auto blok = Blok_Klienta(QStringLiteral("NFV"));
    if (blok && DataModule1)
        Wpisz_Klienta(*DataModule1->ADOTable_Klienci, *blok);
}
