#include "documents/Form_Drukuj_Duplikat.h"
#include "platform/ui/Connect.h"

#include "documents/DocumentStore.h"
#include "documents/FormControls.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "platform/data/Table.h"
#include "platform/text/Dates.h"
#include "platform/text/Numbers.h"
#include "platform/text/Regional.h"
#include "platform/ui/Application.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/Font.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm_Drukuj_Duplikat* Form_Drukuj_Duplikat = nullptr;

bool Zapisz_Duplikat(data::Connection& polaczenie, const QString& id, const QDate& data)
{
    bool ok = false;
    const int numer = text::parseInt(id, &ok);
    return ok && documents::DocumentStore(polaczenie).markDuplicate(numer, data);
}

TForm_Drukuj_Duplikat::TForm_Drukuj_Duplikat(QWidget* owner)
    : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Drukuj_Duplikat"));
    setWindowTitle(QStringLiteral("Drukuj duplikat ..."));
    setFixedSize(397, 195);
    QFont czcionka(ui::screenFamily(QStringLiteral("Tahoma")));
    czcionka.setPointSize(font().pointSize());
    setFont(czcionka);

    // A field with its caption above it; the caption is also its accessible name.
    auto podpisz = [this](QWidget* pole, const QString& podpis, const QRect& miejsce) {
        pole->setGeometry(miejsce);
        pole->setAccessibleName(podpis);
        auto* label = new QLabel(podpis, this);
        label->setGeometry(miejsce.x(), miejsce.y() - 17, 150, 16);
        label->setBuddy(pole);
    };
    auto tozsamosc = [&](const char* nazwa, const QString& podpis, const QRect& miejsce) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(nazwa));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        podpisz(edit, podpis, miejsce);
        return edit;
    };
    LEdit_Typ = tozsamosc("LEdit_Typ", QStringLiteral("Typ"), QRect(24, 36, 70, 21));
    LEdit_Nr = tozsamosc("LEdit_Nr", QStringLiteral("Nr"), QRect(110, 36, 90, 21));
    LEdit_Rok = tozsamosc("LEdit_Rok", QStringLiteral("Rok"), QRect(216, 36, 70, 21));

    JvDTP = new ui::DateEdit(this); // a typed date takes as a whole
    JvDTP->setObjectName(QStringLiteral("JvDTP"));
    JvDTP->setCalendarPopup(true);
    podpisz(JvDTP, QStringLiteral("Data duplikatu :"), QRect(24, 92, 140, 21));

    Edit_Id = documents::hiddenEdit(this, "Edit_Id");
    Edit_Netto_Brutto = documents::hiddenEdit(this, "Edit_Netto_Brutto");

    BitBtn_Drukuj = documents::button(this, "BitBtn_Drukuj", QStringLiteral("Drukuj"), {70, 142, 120, 34});
    BitBtn_Anuluj = documents::button(this, "BitBtn_Anuluj", QStringLiteral("Anuluj"), {208, 142, 120, 34});

    ADOTable_Faktura = new data::Table(this);
    ADOTable_Faktura->setObjectName(QStringLiteral("ADOTable_Faktura"));
    ADOTable_Faktura->setTableName(QStringLiteral("Faktura"));

    ui::on(BitBtn_Drukuj, &QPushButton::clicked, this, &TForm_Drukuj_Duplikat::BitBtn_DrukujClick);
    setCloseButton(BitBtn_Anuluj);
}

void TForm_Drukuj_Duplikat::showing()
{
    JvDTP->setDisplayFormat(text::shortDateFormat());
    JvDTP->setDate(ui::today());
}

bool TForm_Drukuj_Duplikat::closing(int)
{
    LEdit_Typ->clear();
    LEdit_Nr->clear();
    LEdit_Rok->clear();
    Edit_Id->clear();
    return true;
}

void TForm_Drukuj_Duplikat::BitBtn_DrukujClick()
{
    if (!Form_Drukuj_Fakt)
        return;
    const QDate data = JvDTP->date();
    const QString id = Edit_Id->text();
    Form_Drukuj_Fakt->Edit_Id->setText(id);
    Form_Drukuj_Fakt->Edit_Wyroznik->setText(LEdit_Typ->text());
    Form_Drukuj_Fakt->Edit_Netto_Brutto->setText(Edit_Netto_Brutto->text());
    Form_Drukuj_Fakt->Edit_Duplikat->setText(QStringLiteral("Duplikat"));
    Form_Drukuj_Fakt->Edit_Data_Duplikatu->setText(text::dateToText(data));
    ui::showModal(Form_Drukuj_Fakt);

    // A duplicate counts as issued only when it was printed.
    if (Form_Drukuj_Fakt->Czy_Wydrukowano()) {
        ui::guard([&] {
            if (!ADOTable_Faktura->connection() && DataModule1)
                ADOTable_Faktura->setConnection(DataModule1->ADOConnection1);
            data::Connection* polaczenie = ADOTable_Faktura->connection();
            if (polaczenie && Zapisz_Duplikat(*polaczenie, id, data) && DataModule1
                && DataModule1->ADOTable_Faktura->isActive())
                DataModule1->ADOTable_Faktura->refresh();
        });
    }
    accept();
}
