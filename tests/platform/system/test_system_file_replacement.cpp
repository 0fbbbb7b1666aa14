// Two saves of one file at once (two windows, two copies of the program): the second one's
// removal of the temporary files killed saves left never takes the first one's, and each save
// puts its own content in place whole.
#include "platform/system/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
