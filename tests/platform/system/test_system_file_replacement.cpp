// Two saves of one file at once (two windows, two copies of the program): the second one's
// removal of the temporary files killed saves left never takes the first one's, and each save
// puts its own content in place whole. A save in place that finds no room.
#include "platform/system/FileReplacement.h"

#include "support/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(FileReplacement, ASecondSaveOfTheFileLeavesASaveInProgressAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plik.txt"));
    sys::FileReplacement::replace(path, "stare");
    sys::FileReplacement first(path);
    ASSERT_EQ(first.device().write("pierwsza"), 8);
    sys::FileReplacement::replace(path, "druga");
    ASSERT_TRUE(QFile::exists(first.temporaryPath()));
    first.commit();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("pierwsza"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("plik.txt")});
}

// A colleague's file (another owner, the user's group, group-writable) on a disk with room for
// the new content and the copy of the old, but not for the file to grow into the new content:
// the save in place is refused with the cause before the file is touched, the file keeps its
// old content and its owner, and neither the copy nor the temporary file stays.
TEST(FileReplacement, ASaveInPlaceWithoutRoomToGrowLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const std::string report = child::run([&] {
        std::string out = child::mountTiny(folder, "2m");
        if (!out.empty())
            return out;
        const QByteArray at = QFile::encodeName(folder);
        const QString file = folder + QStringLiteral("/wspolny.txt");
        const QByteArray old(200 * 1024, 'o');
        sys::FileReplacement::replace(file, old);
        const QByteArray p = QFile::encodeName(file);
        if (::chown(at.constData(), child::User, child::UserGroup) != 0
            || ::chown(p.constData(), child::User + 2, child::Group) != 0 || ::chmod(p.constData(), 0660) != 0)
            return std::string("SKIP: cannot give the files their owners");
        // Room left: 560 KiB, for the new content (300 KiB) and the copy (200 KiB) only.
        if (std::string full = child::fillDisk(folder, 560 * 1024); !full.empty())
            return full;
        out = child::becomeUser();
        if (!out.empty())
            return out;
        try {
            sys::FileReplacement::replace(file, QByteArray(300 * 1024, 'n'));
            out += "saved without room\n";
        } catch (const sys::SaveError& e) {
            if (e.message() != QStringLiteral("Nie udało się zapisać pliku %1: brak miejsca na dysku.").arg(file))
                out += e.message().toStdString() + "\n";
        }
        QFile f(file);
        struct stat st {};
        ::stat(p.constData(), &st);
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != old || st.st_uid != child::User + 2)
            out += "the file changed\n";
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        if (left != QStringList({QStringLiteral("wspolny.txt"), QStringLiteral("wypelnienie")}))
            out += "left: " + left.join(u' ').toStdString() + "\n";
        return out;
    });
    if (child::skipped(report))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}
