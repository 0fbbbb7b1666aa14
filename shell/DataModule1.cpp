#include "shell/DataModule1.h"

#include "platform/data/Schema.h"

#include <QDebug>
#include <QFile>

TDataModule1* DataModule1 = nullptr;

// The schema is a resource of a static library: registered by hand (and outside any namespace).
static void registerSchemaResource() { Q_INIT_RESOURCE(schema); }

namespace {

// The connection string of the installed program; only Data Source means anything to SQLite.
// The other properties are kept so that the descriptor reads as the program's settings say,
// though SQLite has no use for them.
const char* const kConnectionString =
    "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=db.mdb;Mode=Share Deny None;"
    "Persist Security Info=False;Jet OLEDB:Database Password=Kestrel47m_owl;"
    "Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;"
    "Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk Transactions=1;"
    "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
    "Jet OLEDB:SFP=False;Jet OLEDB:Compact Without Replica Repair=False";

TDataModule1::Reporter& reporterSlot()
{
    static TDataModule1::Reporter r;
    return r;
}

// The tables, saved queries and indexes of the program's database, read once from the schema
// the database is made from (compiled into the program).
struct ProgramSchema {
    std::vector<data::SchemaObject> objects;
    std::vector<data::SchemaIndex> indexes;
};

const ProgramSchema& programSchema()
{
    static const ProgramSchema schema = [] {
        registerSchemaResource();
        QFile f(QStringLiteral(":/baza/schema.sql"));
        f.open(QIODevice::ReadOnly);
        ProgramSchema s;
        s.objects = data::schemaObjects(f.readAll(), nullptr, &s.indexes);
        return s;
    }();
    return schema;
}

TDataModule1::Reporter& noticeSlot()
{
    static TDataModule1::Reporter n;
    return n;
}

void notice(const QString& text)
{
    if (noticeSlot())
        noticeSlot()(text);
}

// A database made before an index joined the schema gets it when it is first opened for
// writing; a large one takes seconds for each, so the user is told which is being made. Indexes
// only speed reading: one that cannot be made (rows that break a unique index of today's
// schema) is left out, and the database works as before. The file's own names were read when
// it opened, so a file that has them all costs nothing here.
void addMissingIndexes(data::Connection& c)
{
    if (c.isReadOnly())
        return;
    std::vector<const data::SchemaIndex*> missing;
    for (const data::SchemaIndex& index : programSchema().indexes)
        if (!c.holdsObject(index.name))
            missing.push_back(&index);
    for (std::size_t i = 0; i < missing.size(); ++i) {
        notice(QStringLiteral("Uzupełnianie indeksów bazy danych (%1 z %2)…").arg(i + 1).arg(missing.size()));
        try {
            c.exec(missing[i]->sql);
        } catch (const data::Error&) {}
    }
    if (!missing.empty())
        notice(QString());
}

} // namespace

void TDataModule1::setReporter(Reporter r) { reporterSlot() = std::move(r); }

void TDataModule1::setNotice(Reporter n) { noticeSlot() = std::move(n); }

void TDataModule1::report(const QString& message)
{
    if (reporterSlot())
        reporterSlot()(message);
    else
        qWarning().noquote() << message;
}

data::Table* TDataModule1::table(const char* name, const char* tableName)
{
    auto* t = new data::Table(this);
    t->setObjectName(QLatin1String(name));
    t->setConnection(ADOConnection1);
    t->setTableName(QLatin1String(tableName));
    return t;
}

data::DataSource* TDataModule1::source(const char* name, data::Dataset* d)
{
    auto* s = new data::DataSource(this);
    s->setObjectName(QLatin1String(name));
    s->setDataset(d);
    return s;
}

TDataModule1::TDataModule1(QObject* parent, const QString& databasePath) : QObject(parent)
{
    setObjectName(QStringLiteral("DataModule1"));
    data::registerComponent(this);
    if (!DataModule1)
        DataModule1 = this;

    ADOConnection1 = new data::Connection(this);
    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    ADOConnection1->setConnectionString(QLatin1String(kConnectionString));

    ADOTable_Klienci = table("ADOTable_Klienci", "Klienci");
    ADOTable_Klienci->setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    ADOTable_Towary = table("ADOTable_Towary", "Towary");
    ADOTable_Towary->setIndexFieldNames(QStringLiteral("Symbol"));
    ADOTable_Stawki_Vat = table("ADOTable_Stawki_Vat", "Vat");
    ADOTable_Faktura = table("ADOTable_Faktura", "Faktura");
    ADOTable_Faktura_Szczegoly = table("ADOTable_Faktura_Szczegoly", "Faktura_Szczegoly");
    ADOTable_Rodzaje_Platnosci = table("ADOTable_Rodzaje_Platnosci", "Forma_Zaplaty");
    ADOTable_Faktura_Korekta = table("ADOTable_Faktura_Korekta", "Faktura");
    ADOTable_Faktura_Korekta->setIndexFieldNames(QStringLiteral("nr"));
    ADOTable_Faktura_Szczegol_Korekta = table("ADOTable_Faktura_Szczegol_Korekta", "Faktura_Szczegoly");
    ADOTable_Faktura_Szczegol_Korekta->setIndexFieldNames(QStringLiteral("Faktura_Nr_Koncowy;Faktura_Rok_Koncowy"));

    DataSource_Klienci = source("DataSource_Klienci", ADOTable_Klienci);
    DataSource_Towary = source("DataSource_Towary", ADOTable_Towary);
    DataSource_Stawki_Vat = source("DataSource_Stawki_Vat", ADOTable_Stawki_Vat);
    DataSource_Faktura = source("DataSource_Faktura", ADOTable_Faktura);
    DataSource_Faktura_Szczegoly = source("DataSource_Faktura_Szczegoly", ADOTable_Faktura_Szczegoly);
    DataSource_Rodzaje_Platnosci = source("DataSource_Rodzaje_Platnosci", ADOTable_Rodzaje_Platnosci);
    DataSource_Faktura_Korekta = source("DataSource_Faktura_Korekta", ADOTable_Faktura_Korekta);
    DataSource_Faktura_Szczegol_Korekta =
        source("DataSource_Faktura_Szczegol_Korekta", ADOTable_Faktura_Szczegol_Korekta);

    ADOTable_Faktura_Szczegol_Korekta->setMasterSource(DataSource_Faktura_Korekta,
                                                       QStringLiteral("Nr_Koncowy;Rok_Koncowy"),
                                                       QStringLiteral("Faktura_Nr_Koncowy;Faktura_Rok_Koncowy"));

    DataModuleCreate(databasePath);
}

TDataModule1::~TDataModule1()
{
    if (DataModule1 == this)
        DataModule1 = nullptr;
}

bool TDataModule1::DataModuleCreate(const QString& databasePath)
{
    ADOConnection1->setRequiredSchema(programSchema().objects);
    const bool ok = databasePath.isEmpty() ? ADOConnection1->open() : ADOConnection1->open(databasePath);
    if (!ok) {
        report(ADOConnection1->lastError());
        return false;
    }
    // A read-only database still opens for reading; the user learns at start-up why nothing
    // can be saved.
    if (!ADOConnection1->warning().isEmpty())
        report(ADOConnection1->warning());
    addMissingIndexes(*ADOConnection1);
    try {
        for (data::Table* t : {ADOTable_Klienci, ADOTable_Towary, ADOTable_Stawki_Vat, ADOTable_Faktura,
                               ADOTable_Faktura_Szczegoly, ADOTable_Rodzaje_Platnosci})
            t->open();
    } catch (const data::Error& e) {
        report(e.message());
        return false;
    }
    return true;
}
