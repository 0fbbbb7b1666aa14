// A value bound as a parameter and the same value spliced as an SQL literal must reach SQLite as
// the same kind and text: both writers sort QVariant types by one rule.
#include "support/TestDb.h"

#include "platform/data/Connection.h"

#include <QDate>
#include <QDateTime>

TEST(ValueKind, BoundAndQuotedValuesAgree)
{
    TestDb db;
    struct Case {
        const char* what;
        QVariant value;
        const char* stored; // typeof(value) ':' value
    } cases[] = {
        {"bool", QVariant(true), "integer:1"},
        {"int", QVariant(42), "integer:42"},
        {"uint", QVariant(7u), "integer:7"},
        {"long long", QVariant(qint64(9007199254740993)), "integer:9007199254740993"},
        {"short", QVariant::fromValue<short>(-3), "integer:-3"},
        {"unsigned short", QVariant::fromValue<unsigned short>(65535), "integer:65535"},
        {"long", QVariant::fromValue<long>(-12), "integer:-12"},
        {"unsigned long", QVariant::fromValue<unsigned long>(12), "integer:12"},
        {"double", QVariant(2.5), "real:2.5"},
        {"float", QVariant(0.5f), "real:0.5"},
        {"date", QVariant(QDate(2011, 3, 5)), "text:2011-03-05"},
        {"date-time keeps its date only", QVariant(QDateTime(QDate(2011, 3, 5), QTime(23, 30))), "text:2011-03-05"},
        {"text with an apostrophe", QVariant(QStringLiteral("O'Brien")), "text:O'Brien"},
        {"null", QVariant(), "null:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString bound =
            db.conn->scalar(QStringLiteral("select typeof(?) || ':' || coalesce(?, '')"), {c.value, c.value})
                .toString();
        const QString literal = data::quote(c.value);
        const QString quoted =
            db.conn->scalar(QStringLiteral("select typeof(%1) || ':' || coalesce(%1, '')").arg(literal)).toString();
        EXPECT_EQ(bound, QString::fromUtf8(c.stored));
        EXPECT_EQ(quoted, QString::fromUtf8(c.stored));
    }
}
