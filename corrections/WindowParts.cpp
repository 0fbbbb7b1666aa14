#include "corrections/WindowParts.h"

#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/FormControls.h"
#include "documents/LineMath.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Jaki_Nr.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace corrections {

ui::DbEdit* boundEdit(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                      const char* field, const QRect& geometry)
{
    auto* e = new ui::DbEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(geometry);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setDataSource(source);
    e->setDataField(QLatin1String(field));
    if (caption.isEmpty())
        e->hide();
    else
        documents::setCaption(e, caption);
    return e;
}

ui::DbCheckBox* boundCheck(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                           const char* field, const QRect& geometry)
{
    auto* c = new ui::DbCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(geometry);
    c->setFocusPolicy(Qt::NoFocus);
    c->setAttribute(Qt::WA_TransparentForMouseEvents);
    c->setDataSource(source);
    c->setDataField(QLatin1String(field));
    QFont bold = c->font();
    bold.setBold(true);
    c->setFont(bold);
    return c;
}

InvoiceHeader invoiceHeader(QWidget* parent, data::DataSource* source, const HeaderFields& fields)
{
    // The invoice's final identity (a noted invoice shows the note's), its dates and its buyer.
    const auto edit = [&](const HeaderField& f, const char* column) {
        return boundEdit(parent, f.name, f.caption, source, column, f.geometry);
    };
    InvoiceHeader h{};
    h.typ = edit(fields.typ, "Typ_Koncowy");
    h.nr = edit(fields.nr, "Nr_Koncowy");
    h.rok = edit(fields.rok, "Rok_Koncowy");
    h.dataWyst = edit(fields.dataWyst, "Data_Wyst");
    h.dataSprzedazy = edit(fields.dataSprzedazy, "Data_Sprzedarzy");
    h.miejsceWyst = edit(fields.miejsceWyst, "Miejsce_Wyst");
    h.nazwa = edit(fields.nazwa, "Klient_Nazwa_Nazwisko");
    h.nazwaCd = edit(fields.nazwaCd, "Klient_Nazwa_Nazwisko_cd");
    h.nrKlienta = edit(fields.nrKlienta, "Klient_Nr");
    h.nip = edit(fields.nip, "Klient_Nip");
    h.czyFirma = boundCheck(parent, fields.czyFirma.name, fields.czyFirma.caption, source, "Klient_Czy_Firma",
                            fields.czyFirma.geometry);
    h.kod = edit(fields.kod, "Klient_Kod");
    h.miasto = edit(fields.miasto, "Klient_Miasto");
    h.adres = edit(fields.adres, "Klient_Adres");
    h.nettoBrutto = edit(fields.nettoBrutto, "Netto_Brutto");
    h.id = edit(fields.id, "Id");
    return h;
}

ui::DbLookupCombo* lookupCombo(QWidget* parent, const char* name, const QString& caption, data::DataSource* source,
                               const char* field, const QRect& geometry)
{
    auto* c = new ui::DbLookupCombo(parent);
    c->setObjectName(QLatin1String(name));
    c->setListSource(source);
    c->setKeyField(QLatin1String(field));
    c->setGeometry(geometry);
    documents::setCaption(c, caption);
    return c;
}

data::Table* ownTable(QObject* parent, const char* name, const char* table)
{
    auto* t = new data::Table(parent);
    t->setObjectName(QLatin1String(name));
    t->setTableName(QLatin1String(table));
    if (DataModule1)
        t->setConnection(DataModule1->ADOConnection1);
    return t;
}

std::optional<qint64> paymentKindId(data::Dataset& kinds, const QVariant& key)
{
    if (!kinds.isActive() || key.isNull() || key.toString().isEmpty())
        return std::nullopt;
    if (!kinds.locate(QStringLiteral("Nazwa"), key, {.caseInsensitive = true}))
        return std::nullopt;
    return kinds.fieldByName(QStringLiteral("Id")).asLargeInt();
}

QString todayText() { return ui::today().toString(QStringLiteral("yyyy-MM-dd")); }

void closeWindow(QWidget* window)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        sub->close();
    else
        window->close();
}

bool mayDiscard(const QPushButton* zapisz) { return !zapisz->isEnabled() || !Czy_Zachowac_Dokument(); }

} // namespace corrections

namespace corrections {

bool keepOpen(QWidget* window, const QPushButton* zapisz, QCloseEvent* e)
{
    if (mayDiscard(zapisz))
        return false;
    e->ignore();
    window->activateWindow();
    window->setFocus();
    return true;
}

} // namespace corrections
