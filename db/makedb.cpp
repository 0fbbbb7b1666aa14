// Build step: makes the empty database db.mdb from schema.sql.
// Usage: tarnex_makedb <schema.sql> <output>   (an existing output is replaced)
#include "platform/data/Schema.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarnex_makedb <schema.sql> <output>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString tmp = out + QStringLiteral(".new");
    QFile::remove(tmp);
    const QString err = data::createDatabase(tmp, QString::fromLocal8Bit(argv[1]));
    if (!err.isEmpty()) {
        std::fprintf(stderr, "tarnex_makedb: %s\n", err.toUtf8().constData());
        return 1;
    }
    QFile::remove(out);
    QFile::remove(out + QStringLiteral("-wal"));
    QFile::remove(out + QStringLiteral("-shm"));
    if (!QFile::rename(tmp, out)) {
        std::fprintf(stderr, "tarnex_makedb: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
