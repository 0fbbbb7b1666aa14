// Reports over datasets of the data layer: documents with their lines as a sub-detail that
// follows the master's current row.
#include "platform/data/Connection.h"
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"
#include "platform/report/DatasetSource.h"
#include "platform/report/Report.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace report;

TEST(DatasetSource, DocumentsWithTheirLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("db.mdb");
    // A new database with no tables yet (an empty file is not a database).
    const QString schema = dir.filePath("pusta.sql");
    {
        QFile s(schema);
        ASSERT_TRUE(s.open(QIODevice::WriteOnly));
        s.write("PRAGMA user_version = 1;");
    }
    ASSERT_EQ(data::createDatabase(path, schema), QString());
    data::Connection c;
    ASSERT_TRUE(c.open(path)) << c.lastError().toStdString();
    c.exec("create table Faktura (Id integer primary key, Nr integer, Data_Wyst text)");
    c.exec("create table Faktura_Szczegoly (Id_Fakt integer, Lp integer, Towary_Nazwa text, Wartosc_Netto real)");
    c.exec("insert into Faktura values (1, 7, '2011-03-01'), (2, 8, '2011-03-02'), (3, 9, '2011-03-05')");
    c.exec("insert into Faktura_Szczegoly values (1, 1, 'Śruba', 10.5), (1, 2, 'Nakrętka', 2.25), "
           "(3, 1, 'Młotek', 40)");

    data::Table docs;
    docs.setConnection(&c);
    docs.setTableName("Faktura");
    docs.setIndexFieldNames("Id");
    data::Table lines;
    lines.setConnection(&c);
    lines.setTableName("Faktura_Szczegoly");
    lines.setIndexFieldNames("Id_Fakt;Lp");
    lines.setMasterSource(&docs, "Id", "Id_Fakt");
    docs.open();
    lines.open();

    DatasetSource docSrc(&docs), lineSrc(&lines);
    Report r;
    r.setDataSource(&docSrc);
    Band* detail = r.setBand(BandKind::Detail, 5.8);
    detail->addData("Nr", 13, 0, 0, Align::Left, pt(8), &docSrc, "Nr");
    detail->addData("Data", 27, 0, 24, Align::Center, pt(8), &docSrc, "Data_Wyst");
    SubDetail* sd = r.addSubDetail(&lineSrc, 4.5);
    sd->printHeaderIfEmpty = false;
    sd->setHeader(5.3)->addLabel("H", 7, 0, "Lp.", pt(8));
    sd->detail()->addData("Nazwa", 39, 0, 48, Align::Left, pt(8), &lineSrc, "Towary_Nazwa");
    Band* foot = sd->setFooter(5.8);
    Sum* perDoc = r.addFieldSum(sd->detail(), &lineSrc, "Wartosc_Netto", foot);
    Sum* all = r.addFieldSum(sd->detail(), &lineSrc, "Wartosc_Netto");
    foot->addLabel("S", 160, 0, "Suma :", pt(8));
    foot->addSumText("SN", 173, 0, 25, Align::Right, pt(8), perDoc, "0.00");
    r.setBand(BandKind::Summary, 8.5)->addSumText("SO", 173, 0, 25, Align::Right, pt(10, true), all, "0.00");

    const PageList pl = r.prepare();
    ASSERT_EQ(pl.pageCount(), 1);
    EXPECT_EQ(pl.pages[0].texts(),
              (QStringList{"7", "2011-03-01", "Lp.", "Śruba", "Nakrętka", "Suma :", "12,75", "8", "2011-03-02",
                           "Suma :", "0,00", "9", "2011-03-05", "Lp.", "Młotek", "Suma :", "40,00", "52,75"}));

    // A closed dataset reads as no rows.
    lines.close();
    EXPECT_TRUE(lineSrc.eof());
    EXPECT_FALSE(lineSrc.value("Lp").isValid());
}
