// Two saves of one file at once (two windows, two copies of the program): the second one's
// removal of the temporary files killed saves left never takes the first one's, and each save
// puts its own content in place whole. Saves in place: one that finds no room, and killed ones.
#include "platform/system/FileReplacement.h"

#include "support/ChildProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

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
    const std::string report = child::onTinyDisk(folder, "2m", [&] {
        const QByteArray at = QFile::encodeName(folder);
        const QString file = folder + QStringLiteral("/wspolny.txt");
        const QByteArray old(200 * 1024, 'o');
        sys::FileReplacement::replace(file, old);
        const QByteArray p = QFile::encodeName(file);
        if (::chown(at.constData(), child::User, child::UserGroup) != 0 || !child::giveToColleague(file))
            return std::string("SKIP: cannot give the files their owners");
        // Room left: 560 KiB, for the new content (300 KiB) and the copy (200 KiB) only.
        if (std::string full = child::fillDisk(folder, 560 * 1024); !full.empty())
            return full;
        std::string out = child::becomeUser();
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
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != old || st.st_uid != child::Colleague)
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

namespace {

// Version V of a colleague's file: 512 KiB of one letter.
QByteArray version(int V) { return QByteArray(512 * 1024, char('a' + V % 26)); }

// The version a content is whole, or -1.
int versionIn(const QByteArray& Bytes)
{
    if (Bytes.size() != 512 * 1024 || Bytes.count(Bytes.front()) != Bytes.size())
        return -1;
    return Bytes.front() - 'a';
}

QByteArray contentOf(const QString& File)
{
    QFile f(File);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Saves in place of a colleague's file killed part-way: after each kill the file is a whole
// version, or the copy beside it is one and the file is refused by a read, naming the copy; the
// owner stays the colleague's throughout.
TEST(FileReplacement, KilledSavesInPlaceLeaveAWholeFileOrAWholeCopyThatIsNamed)
{
    if (!child::isRoot())
        GTEST_SKIP() << "giving a file to another user needs root";
    const QString folder = child::makeUserFolder();
    ASSERT_FALSE(folder.isEmpty());
    const QString file = folder + QStringLiteral("/wspolny.dat");
    const QString copy = file + QStringLiteral(".tarnex-kopia");
    const QByteArray p = QFile::encodeName(file);
    sys::FileReplacement::replace(file, version(0));
    ASSERT_TRUE(child::giveToColleague(file));
    auto saving = [&](int Saves) {
        const std::string skip = child::becomeUser();
        if (!skip.empty())
            return skip;
        for (int v = 1; v <= Saves; ++v)
            sys::FileReplacement::replace(file, version(v));
        return std::string();
    };
    // The kills are spread over as long as a few saves take here.
    QElapsedTimer timer;
    timer.start();
    const std::string first = child::run([&] { return saving(3); });
    if (child::skipped(first)) {
        QDir(folder).removeRecursively();
        GTEST_SKIP() << first;
    }
    ASSERT_EQ(first, "");
    const int saveUs = int(std::max<qint64>(timer.nsecsElapsed() / 3000, 500));
    std::mt19937 random(57);
    std::uniform_int_distribution<int> delayUs(saveUs / 4, saveUs * 3);
    int copiesLeft = 0;
    for (int k = 0; k < 48 && (k < 12 || copiesLeft < 2); ++k) {
        ASSERT_TRUE(child::killAfter(useconds_t(delayUs(random)), [&] { saving(1 << 20); }));
        struct stat st {};
        ::stat(p.constData(), &st);
        EXPECT_EQ(st.st_uid, child::Colleague) << "after kill " << k;
        if (QFile::exists(copy)) {
            ++copiesLeft;
            EXPECT_GE(versionIn(contentOf(copy)), 0) << "after kill " << k;
            const QString refusal = sys::readRefusal(file);
            EXPECT_TRUE(refusal.contains(copy) && refusal.contains(QStringLiteral("przerwany")))
                << refusal.toStdString();
            // The user puts the old content back and removes the copy.
            QFile back(file);
            ASSERT_TRUE(back.open(QIODevice::WriteOnly | QIODevice::Truncate));
            back.write(contentOf(copy));
            back.close();
            QFile::remove(copy);
        }
        EXPECT_GE(versionIn(contentOf(file)), 0) << "after kill " << k;
    }
    QDir(folder).removeRecursively();
    EXPECT_GT(copiesLeft, 0) << "no kill came inside a save in place";
}
