#pragma once
// A fresh database made from db/schema.sql in a temporary directory, for tests.
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// A new database of no tables at `path` (an empty file is not a database of the program).
inline QString makeEmptyDatabase(const QString& path)
{
    const QString schema = path + QStringLiteral(".sql");
    QFile f(schema);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1").arg(schema);
    f.write("PRAGMA user_version = 1;");
    f.close();
    return data::createDatabase(path, schema);
}

// The program's tables and views, as the data module requires them of a file.
inline const std::vector<data::SchemaObject>& programObjects()
{
    static const std::vector<data::SchemaObject> objects = [] {
        QFile f(QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql"));
        f.open(QIODevice::ReadOnly);
        return data::schemaObjects(f.readAll());
    }();
    return objects;
}

// A fresh database of the program's schema, opened as the program opens it.
struct TestDb {
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<data::Connection> conn;

    TestDb()
    {
        path = dir.filePath(QStringLiteral("db.mdb"));
        const QString err = data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql"));
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        conn = std::make_unique<data::Connection>();
        conn->setRequiredSchema(programObjects());
        EXPECT_TRUE(conn->open(path)) << conn->lastError().toStdString();
    }

    qint64 count(const QString& sql, const QVariantList& binds = {}) { return conn->scalar(sql, binds).toLongLong(); }

    std::unique_ptr<data::Table> table(const QString& name)
    {
        auto t = std::make_unique<data::Table>();
        t->setObjectName(name);
        t->setConnection(conn.get());
        t->setTableName(name);
        return t;
    }
};
