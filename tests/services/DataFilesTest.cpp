#include "services/DataFiles.h"
#include "tests/services/QtPrinters.h"
#include "tests/services/ScratchDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// The build puts the stage file beside every program, this test included.
class DataFilesTest : public ::testing::Test {
protected:
    int argc = 1;
    char name[16] = "services_tests";
    char *argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

void touch(const QString &path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

// Guards the lookup order players rely on: a file in the current directory overrides
// the program's own, which overrides the installed one.
TEST_F(DataFilesTest, CurrentDirectoryFirstThenBesideTheProgram) {
    ScratchDir scratch;
    const QString beside = QCoreApplication::applicationDirPath() + "/Fases.dat";
    ASSERT_TRUE(QFile::exists(beside));
    EXPECT_EQ(FindDataFile("Fases.dat"), beside);
    touch(scratch.filePath("Fases.dat"));
    EXPECT_EQ(QFileInfo(FindDataFile("Fases.dat")).canonicalFilePath(),
              QFileInfo(scratch.filePath("Fases.dat")).canonicalFilePath());
    EXPECT_EQ(FindDataFile("no-such-file.dat"), "no-such-file.dat");
}

// An install moved to another prefix finds its data through the program's folder, after
// the program's folder itself and before the compiled-in folder; none is searched twice.
TEST_F(DataFilesTest, InstalledDataFolderIsFoundFromTheProgram) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QStringList dirs = DataFileDirs();
    QDir::setCurrent(previous);
    ASSERT_GE(dirs.size(), 2);
    EXPECT_EQ(dirs[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(dirs.count(dirs[0]), 1);
    const QString fromProgram = dirs[1];
    EXPECT_TRUE(fromProgram.startsWith(QDir::cleanPath(dirs[0] + "/..")));
    EXPECT_TRUE(fromProgram.endsWith("/cobaltix"));
}

// A test's own folders replace the search; an empty list brings the default back.
TEST_F(DataFilesTest, OverriddenFoldersReplaceTheSearch) {
    ScratchDir scratch;
    SetDataFileDirs({scratch.filePath("")});
    EXPECT_EQ(FindDataFile("Fases.dat"), "Fases.dat");
    SetDataFileDirs({});
    EXPECT_TRUE(QFile::exists(FindDataFile("Fases.dat")));
}
