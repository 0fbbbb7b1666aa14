#pragma once
// A fresh database from the schema in a temporary directory, for the document tests.
#include "platform/data/Connection.h"
#include "platform/data/Schema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace documents_test {

class TestDb {
public:
    TestDb()
    {
        path_ = dir_.filePath(QStringLiteral("db.mdb"));
        const QString err =
            data::createDatabase(path_, QString::fromUtf8(TARNEX_SOURCE_DIR) + QStringLiteral("/db/schema.sql"));
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        conn_ = std::make_unique<data::Connection>();
        EXPECT_TRUE(conn_->open(path_)) << conn_->lastError().toStdString();
    }
    data::Connection& conn() { return *conn_; }
    QString path() const { return path_; }

    qint64 count(const QString& sql, const QVariantList& binds = {})
    {
        return conn_->scalar(sql, binds).toLongLong();
    }

private:
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<data::Connection> conn_;
};

} // namespace documents_test
