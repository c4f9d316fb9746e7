#include "services/UserStore.h"
#include "tests/services/FileSizeLimit.h"
#include "tests/services/QtPrinters.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("Software\\Orvane Soft\\Cobaltix");

class Store : public ::testing::Test {
protected:
    QString path() const { return dir.filePath("cfg/cobaltix/store.json"); }
    QByteArray fileBytes() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeRaw(const QByteArray &bytes) {
        UserStore(path()).openKey("x", true); // creates the folders
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Store, EveryTypeRoundTripsThroughTheFile) {
    const QByteArray bytes("\x00\xff\x01 binary", 10);
    {
        auto key = UserStore(path()).openKey(Key, true);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->setBinary("Bin", bytes));
        EXPECT_TRUE(key->setBinary("Empty", {}));
        EXPECT_TRUE(key->setString("Str", QStringLiteral("Añil \"q\"\n")));
        EXPECT_TRUE(key->setString("Exp", "%HOME%/x", StoreType::ExpandString));
        EXPECT_TRUE(key->setInteger("Int", -2147483647 - 1));
    }
    auto key = UserStore(path()).openKey(Key, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->value("Bin")->type, StoreType::Binary);
    EXPECT_EQ(key->value("Bin")->binary, bytes);
    EXPECT_EQ(key->value("Empty")->size(), 0);
    EXPECT_EQ(key->value("Str")->type, StoreType::String);
    EXPECT_EQ(key->value("Str")->text, QStringLiteral("Añil \"q\"\n"));
    EXPECT_EQ(key->value("Exp")->type, StoreType::ExpandString);
    EXPECT_EQ(key->value("Exp")->text, "%HOME%/x") << "read unexpanded";
    EXPECT_EQ(key->value("Int")->type, StoreType::Integer);
    EXPECT_EQ(key->value("Int")->integer, -2147483647 - 1);
    EXPECT_EQ(key->value("Int")->size(), 4);
    EXPECT_FALSE(key->value("Nope"));
}

TEST_F(Store, OpeningWithoutCreatingNeverWrites) {
    EXPECT_FALSE(UserStore(path()).openKey(Key, false));
    EXPECT_FALSE(QFile::exists(path()));
    ASSERT_TRUE(UserStore(path()).openKey(Key, true));
    EXPECT_TRUE(UserStore(path()).openKey(Key, false)) << "created key persists empty";
    EXPECT_FALSE(UserStore(path()).openKey("Software\\Other", false));
}

TEST_F(Store, WritesThroughTwoOpenKeysKeepEachOther) {
    auto a = UserStore(path()).openKey(Key, true);
    auto b = UserStore(path()).openKey(Key, true);
    ASSERT_TRUE(a && b);
    a->setInteger("A", 1);
    b->setInteger("B", 2);
    auto c = UserStore(path()).openKey(Key, false);
    EXPECT_TRUE(c->contains("A") && c->contains("B"));
}

TEST_F(Store, CorruptFileReadsAsMissingAndIsKeptAsideWhenWritten) {
    for (const QByteArray &junk :
         {QByteArray("{not json"), QByteArray("[]"), QByteArray("{\"keys\":{}}"),
          QByteArray(R"({"cobaltix-store":2,"keys":{"K":{}}})")}) {
        writeRaw(junk);
        EXPECT_FALSE(UserStore(path()).openKey("K", false)) << junk.constData();
        EXPECT_EQ(fileBytes(), junk) << "a read leaves the file alone";
    }
    auto key = UserStore(path()).openKey(Key, true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->setInteger("Language", 1));
    QFile aside(path() + ".corrupt");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray(R"({"cobaltix-store":2,"keys":{"K":{}}})"));
}

// One undecodable value used to make the whole file read as empty.
TEST_F(Store, UndecodableValueReadsAsMissingAndKeepsItsNeighbours) {
    for (const QByteArray &bad : {QByteArray(R"({"type":"integer","data":1.5})"),
                                  QByteArray(R"({"type":"integer","data":4294967296})"),
                                  QByteArray(R"({"type":"binary","data":"@@"})"),
                                  QByteArray(R"({"type":"blob","data":""})"), QByteArray("7")}) {
        QFile::remove(path() + ".corrupt");
        const QByteArray file = R"({"cobaltix-store":1,"keys":{"K":{"bad":)" + bad +
                                R"(,"good":{"type":"integer","data":3}},"L":5,)" +
                                R"("M":{"n":{"type":"string","data":"x"}}}})";
        writeRaw(file);
        auto k = UserStore(path()).openKey("K", false);
        ASSERT_TRUE(k) << bad.constData();
        EXPECT_FALSE(k->contains("bad"));
        EXPECT_EQ(k->value("good")->integer, 3);
        EXPECT_EQ(UserStore(path()).openKey("M", false)->value("n")->text, "x");
        EXPECT_FALSE(UserStore(path()).openKey("L", false)) << "a key that is not an object";
        EXPECT_EQ(fileBytes(), file);

        ASSERT_TRUE(k->setInteger("other", 1));
        QFile aside(path() + ".corrupt");
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), file);
        EXPECT_EQ(UserStore(path()).openKey("K", false)->value("good")->integer, 3);
    }
}

TEST_F(Store, FileWithARefusedValueIsKeptOnceBeforeTheNextWrite) {
    auto key = UserStore(path()).openKey(Key, true);
    ASSERT_TRUE(key && key->setString("Keys", "not binary"));
    const QByteArray before = fileBytes();
    UserStore(path()).openKey(Key, false)->refuse();
    EXPECT_FALSE(QFile::exists(path() + ".corrupt")) << "refusing does not write";
    ASSERT_TRUE(key->setBinary("Keys", QByteArray(40, '\0')));
    QFile aside(path() + ".corrupt");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), before);
    aside.close();
    ASSERT_TRUE(key->setInteger("Language", 0));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), before) << "the copy is not replaced by later writes";
}

// A save killed before its rename left store.json.XXXXXX behind for good.
TEST_F(Store, StaleTemporaryFilesAreRemovedByTheNextWrite) {
    auto key = UserStore(path()).openKey(Key, true);
    ASSERT_TRUE(key);
    auto leave = [&](const QString &name, int ageSeconds) {
        QFile f(dir.filePath("cfg/cobaltix/" + name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{");
        f.flush(); // a later flush would set the time anew
        EXPECT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                  QFileDevice::FileModificationTime));
    };
    leave("store.json.aB3xYz", 3600);
    leave("store.json.Q1w2E3", 3600);
    leave("store.json.n0wRun", 0); // a save that may still be running
    leave("store.json.corrupt", 3600);
    leave("other.json.aB3xYz", 3600);
    ASSERT_TRUE(key->setInteger("Language", 1));
    const QDir folder(dir.filePath("cfg/cobaltix"));
    EXPECT_EQ(folder.entryList(QDir::Files, QDir::Name),
              QStringList(
                  {"other.json.aB3xYz", "store.json", "store.json.corrupt", "store.json.n0wRun"}));
}

TEST_F(Store, FailingWriteLeavesTheOldFileWhole) {
    auto key = UserStore(path()).openKey(Key, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->setInteger("Language", 1));
    const QByteArray before = fileBytes();
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(key->setBinary("Big", QByteArray(4096, 'x')));
        EXPECT_FALSE(UserStore(path()).openKey("Software\\New", true));
    }
    EXPECT_EQ(fileBytes(), before);
    EXPECT_FALSE(key->contains("Big")) << "the open key does not pretend it was stored";
    auto reread = UserStore(path()).openKey(Key, false);
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->value("Language")->integer, 1);
}

TEST_F(Store, UnwritableLocationFailsToCreate) {
    writeRaw("x");
    const QString blocked = path() + "/below-a-file/store.json";
    EXPECT_FALSE(UserStore(blocked).openKey(Key, true));
}

TEST(StoreLocation, FollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    const QString path = UserStore::defaultFilePath();
    if (wasSet)
        qputenv("XDG_CONFIG_HOME", saved);
    else
        qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(path, home.path() + "/cobaltix/store.json");
}
