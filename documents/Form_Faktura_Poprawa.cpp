#include "documents/Form_Faktura_Poprawa.h"

#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/Form_Do_Poprawy.h"
#include "documents/FormControls.h"
#include "documents/LineGridModel.h"
#include "platform/ui/Clock.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

TForm_Faktura_Poprawa* Form_Faktura_Poprawa = nullptr;

using namespace documents;

namespace {

InvoiceKind kind()
{
    InvoiceKind k;
    // The picks and line dialogs know this window by its own caller code; it stores "FV".
    k.typ = QStringLiteral("FV_P");
    k.caption = QStringLiteral("Poprawa faktury");
    k.plainEmptyDate = true;
    k.kodMaxLength = 15;
    k.editing = true;
    return k;
}

QString dateText(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }

} // namespace

TForm_Faktura_Poprawa::TForm_Faktura_Poprawa(QWidget* parent) : InvoiceWindow(kind(), parent)
{
    setObjectName(QStringLiteral("Form_Faktura_Poprawa"));
    Edit_Id = DBEdit_Id;
    Edit_Id->setObjectName(QStringLiteral("Edit_Id"));
    Edit_Netto_Brutto->setText(QStringLiteral("netto"));
}

TForm_Faktura_Poprawa::~TForm_Faktura_Poprawa()
{
    if (Form_Faktura_Poprawa == this)
        Form_Faktura_Poprawa = nullptr;
}

void TForm_Faktura_Poprawa::Wyczysc_Dokument(const QString& data, const QString& rok)
{
    InvoiceWindow::Wyczysc_Dokument(data, rok);
    // The key of the earlier invoice may stay shown, but it is no longer the one the save writes.
    wczytane_ = 0;
}

void TForm_Faktura_Poprawa::Wstaw_Fakture(const Document& f)
{
    // An invoice never mixes with what the window held before.
    Wyczysc_Dokument(QString(), QString());
    Edit_Id->setText(QString::number(f.id));
    LEdit_Wyroznik->setText(f.own.typ);
    LEdit_Nr->setText(QString::number(f.own.nr));
    LEdit_Rok->setText(f.own.rok);
    LEdit_Data_Wyst->setText(dateText(f.dataWyst));
    LEdit_Data_Sprzedarzy->setText(f.dataSprzedarzy);
    LEdit_Miejsce_Wyst->setText(f.miejsceWyst);
    LEdit_Nr_Klienta->setText(f.buyer.nr);
    LEdit_Nazwa->setText(f.buyer.nazwa);
    LEdit_Nazwa_cd->setText(f.buyer.nazwaCd);
    LEdit_Kod->setText(f.buyer.kod);
    LEdit_Miasto->setText(f.buyer.miasto);
    LEdit_Adres->setText(f.buyer.adres);
    CBox_Czy_Firma->setChecked(f.buyer.czyFirma);
    LEdit_NIP->setText(f.buyer.nip);
    Edit_Netto_Brutto->setText(priceModeText(f.mode));
    LEdit_Ilosc_Dni->setText(QString::number(f.iloscDni));
    LEdit_Data_Zap->setText(f.dataZaplaty ? dateText(*f.dataZaplaty) : QString());
    JvMemo1->setText(f.uwagi);

    Uloz_Siatke(f.mode, false);
    LineGridModel& g = StringGrid1->lines();
    for (const DocumentLine& l : f.lines)
        g.appendLine(gridCells(l, f.mode));
    linesChanged();
    // The stored totals, as they were saved (not summed again from the lines).
    LEdit_Suma_Netto->setText(f.wartNetto.text());
    LEdit_Suma_Brutto->setText(f.wartBrutto.text());
    wczytane_ = f.id;
}

SaveOutcome TForm_Faktura_Poprawa::Zapisz(DocumentStore& store, const Document& d, const FirstNumberPrompt&)
{
    if (wczytane_ <= 0) {
        SaveOutcome none;
        none.error = saveFailureText(QStringLiteral("faktury"), QStringLiteral("nie wybrano faktury do poprawy"));
        return none;
    }
    Document doc = d;
    doc.id = wczytane_;
    return store.replace(doc);
}

void TForm_Faktura_Poprawa::BitBtn_NowaClick()
{
    if (BitBtn_Zapisz->isEnabled() && Czy_Zachowac_Dokument())
        return;
    Wyczysc_Dokument(QString(), QString());
    Otworz_Wybor_Faktury_Do_Poprawy();
}

void Otworz_Wybor_Faktury_Do_Poprawy()
{
    if (Form_Do_Poprawy)
        Form_Do_Poprawy->Otworz(ui::today().year());
}
