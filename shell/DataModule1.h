#pragma once
// The data module: the one database connection and the shared datasets every window and both
// print libraries reach through the global DataModule1.
#include "platform/data/Dataset.h"

#include <QObject>
#include <QString>

#include <functional>

class TDataModule1 : public QObject {
    Q_OBJECT
public:
    // Connects to databasePath (default: db.mdb in the current directory) and opens the six shared
    // tables. A missing or unreadable database is reported through reporter() and the module
    // stays with its connection and tables closed; the file is never created.
    explicit TDataModule1(QObject* parent = nullptr, const QString& databasePath = QString());
    ~TDataModule1() override;

    data::Connection* ADOConnection1;

    data::Table* ADOTable_Klienci;
    data::Table* ADOTable_Towary;
    data::Table* ADOTable_Stawki_Vat;
    data::Table* ADOTable_Faktura;
    data::Table* ADOTable_Faktura_Szczegoly;
    data::Table* ADOTable_Rodzaje_Platnosci;
    data::Table* ADOTable_Faktura_Korekta;
    data::Table* ADOTable_Faktura_Szczegol_Korekta;

    data::DataSource* DataSource_Klienci;
    data::DataSource* DataSource_Towary;
    data::DataSource* DataSource_Stawki_Vat;
    data::DataSource* DataSource_Faktura;
    data::DataSource* DataSource_Faktura_Szczegoly;
    data::DataSource* DataSource_Rodzaje_Platnosci;
    data::DataSource* DataSource_Faktura_Korekta;
    data::DataSource* DataSource_Faktura_Szczegol_Korekta;

    // Connects and opens the shared tables in their order; true when everything opened.
    bool DataModuleCreate(const QString& databasePath = QString());

    // Where a failure to open the database is shown (the main window sets it to its message
    // dialog); defaults to qWarning.
    using Reporter = std::function<void(const QString&)>;
    static void setReporter(Reporter r);
    static void report(const QString& message);
    // Where a long step of opening (adding the indexes an older database lacks) is told while it
    // runs, and an empty text when it is over; the main window shows it on the splash or the
    // status bar.
    static void setNotice(Reporter n);

private:
    data::Table* table(const char* name, const char* tableName);
    data::DataSource* source(const char* name, data::Dataset* d);
};

extern TDataModule1* DataModule1;
