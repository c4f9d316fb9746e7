#include "dialogs/RecordTables.h"
#include "services/Cp1252.h"
#include "services/ErrorReport.h"
#include "services/Language.h"
#include "tests/services/FileSizeLimit.h"
#include "tests/services/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QString Key = QString::fromLatin1(SettingsKeyPath);

struct VsRow {
    QString name;
    qint32 played, won, points;
};

QByteArray numbers(std::initializer_list<qint32> values) {
    QByteArray b(4 * qsizetype(values.size()), '\0');
    int i = 0;
    for (qint32 v : values)
        qToLittleEndian<qint32>(v, b.data() + 4 * i++);
    return b;
}

QByteArray names(const QStringList &list) {
    QByteArray b(2560, '\0');
    for (int i = 0; i < list.size(); ++i) {
        const QByteArray n = ToCp1252(list[i]);
        b[256 * i] = char(n.size());
        b.replace(256 * i + 1, n.size(), n);
    }
    return b;
}

class Records : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguage(LanguageEnglish);
        previous = SetErrorReporter(
            [this](const QString &c, const QString &t) { reports << c + ": " + t; });
    }
    void TearDown() override { SetErrorReporter(previous); }

    // Stores a one-to-one table of the given rows (the rest empty) and empty stages.
    void seedVs(const QList<VsRow> &rows) {
        TRecordNumbers played{}, won{}, points{};
        QStringList list;
        for (int i = 0; i < 10; ++i) {
            const bool used = i < rows.size();
            list << (used ? rows[i].name : "(no name)");
            played[i] = used ? rows[i].played : 0;
            won[i] = used ? rows[i].won : 0;
            points[i] = used ? rows[i].points : 0;
        }
        auto toBytes = [](const TRecordNumbers &c) {
            QByteArray b(40, '\0');
            for (int i = 0; i < 10; ++i)
                qToLittleEndian<qint32>(c[i], b.data() + 4 * i);
            return b;
        };
        StoreKey k = *store.openKey(Key, true);
        k.setValues({{"Rounds - Points", StoreValue::ofBinary(QByteArray(40, '\0'))},
                     {"Rounds - Rounds", StoreValue::ofBinary(QByteArray(40, '\0'))},
                     {"Rounds - Names", StoreValue::ofBinary(names(QStringList(10, "(no name)")))},
                     {"Vs - Points", StoreValue::ofBinary(toBytes(points))},
                     {"Vs - Names", StoreValue::ofBinary(names(list))},
                     {"Vs - Played", StoreValue::ofBinary(toBytes(played))},
                     {"Vs - Won", StoreValue::ofBinary(toBytes(won))}});
    }
    RecordTables tables() { return RecordTables(Key, store); }
    QByteArray fileBytes() const {
        QFile f(store.filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QStringList vsNames(const RecordTables &t) {
        return QStringList(t.NombresVs().begin(), t.NombresVs().end());
    }
    // Answers the new-record question with a fixed name and counts the questions.
    PedirRecordFunction answer(const QString &name) {
        return [this, name](const QString &, qint32) {
            ++asked;
            return name;
        };
    }

    QTemporaryDir dir;
    UserStore store{dir.filePath("store.json")};
    QStringList reports;
    ErrorReporter previous;
    int asked = 0;
};

} // namespace

TEST_F(Records, FreshTablesAreEmptyAndZeroPointsDoNotEnter) {
    RecordTables t = tables();
    EXPECT_EQ(t.NombresFases()[9], "(no name)");
    EXPECT_EQ(t.NombreVs(1), "");
    QString name = "Ann";
    EXPECT_EQ(t.NuevoRecordFases(0, 1, name, answer("Ann")), 0);
    EXPECT_EQ(asked, 0) << "a result that does not enter asks nothing";
}

TEST_F(Records, EqualPointsEnterBelowAndTheTailIsDropped) {
    RecordTables t = tables();
    QString n = "x";
    for (int p = 100; p >= 10; p -= 10) // rows 1..10 hold 100..10
        t.NuevoRecordFases(p, p / 10, n, answer(QString::number(p)));
    EXPECT_EQ(t.NuevoRecordFases(50, 7, n, answer("equal")), 7) << "below the row of 50";
    EXPECT_EQ(t.NombresFases()[6], "equal");
    EXPECT_EQ(t.PuntosFases()[9], 20) << "old row 10 dropped";
    asked = 0;
    EXPECT_EQ(t.NuevoRecordFases(20, 1, n, answer("tail")), 0) << "equal to row 10";
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(t.NuevoRecordFases(1000, 25, n, answer("top")), 1);
    EXPECT_EQ(t.PuntosFases()[1], 100);
    EXPECT_EQ(t.FasesFases()[0], 25);
    EXPECT_EQ(t.PuntosFases()[9], 30);
}

TEST_F(Records, EmptyNameKeepsPlayerNameAndLongNameIsCutOnlyInTheTable) {
    RecordTables t = tables();
    QString name = "Ann";
    t.NuevoRecordFases(10, 1, name, answer("(no name)"));
    EXPECT_EQ(name, "Ann");
    EXPECT_EQ(t.NombresFases()[0], "(no name)");
    const QString longName(300, 'z');
    t.NuevoRecordFases(20, 1, name, answer(longName));
    EXPECT_EQ(t.NombresFases()[0], QString(255, 'z'));
    EXPECT_EQ(name, longName);
}

TEST_F(Records, NamesMatchIgnoringOnlyAsciiCase) {
    EXPECT_TRUE(RecordTables::sameName("ana", "ANA"));
    EXPECT_FALSE(RecordTables::sameName(QStringLiteral("josé"), QStringLiteral("josÉ")));
    EXPECT_FALSE(RecordTables::sameName("ana", "ana "));
    RecordTables t = tables();
    t.NuevoRecordVs(10, true, "ana");
    t.NuevoRecordVs(5, false, "ANA");
    EXPECT_EQ(t.JugadasVs()[0], 2);
    EXPECT_EQ(t.PuntosVs()[0], 15);
    EXPECT_EQ(t.NombreVs(1), "ana") << "the first spelling stays";
}

TEST_F(Records, KnownPlayerClimbsPastFewerWinsAndFewerPointsOnly) {
    seedVs({{"more", 9, 5, 0},
            {"equal", 9, 4, 300},
            {"fewer pts", 9, 4, 100},
            {"three", 9, 3, 900},
            {"me", 9, 3, 250}});
    RecordTables t = tables();
    t.NuevoRecordVs(50, true, "ME"); // 4 wins, 300 points
    EXPECT_EQ(vsNames(t).mid(0, 5), (QStringList{"more", "equal", "me", "fewer pts", "three"}));
    EXPECT_EQ(t.GanadasVs()[2], 4);
}

TEST_F(Records, FullTableTakesNewPlayersOnlyAboveWeakerRows) {
    QList<VsRow> rows;
    for (int i = 0; i < 10; ++i)
        rows.append({QString("p%1").arg(i), 5, i < 8 ? 2 : 1, i < 8 ? 100 : 50 - i});
    seedVs(rows);
    RecordTables t = tables();
    t.NuevoRecordVs(999, false, "loser");
    EXPECT_FALSE(vsNames(t).contains("loser"));
    t.NuevoRecordVs(42, true, "winner"); // beats p9 (41 points), not p8 (42)
    EXPECT_EQ(t.NombreVs(10), "winner");
    EXPECT_EQ(t.NombreVs(9), "p8");
    t.NuevoRecordVs(43, true, "better"); // beats p8 (42): goes to row 9, winner dropped
    EXPECT_EQ(t.NombreVs(9), "better");
    EXPECT_EQ(t.NombreVs(10), "p8");
}

TEST_F(Records, NewLoserWithNoPointsTakesTheFirstEmptyRow) {
    seedVs({{"a", 3, 0, 10}, {"b", 1, 0, 0}});
    RecordTables t = tables();
    t.NuevoRecordVs(0, false, "c");
    EXPECT_EQ(t.NombreVs(3), "c");
    EXPECT_EQ(t.JugadasVs()[2], 1);
    EXPECT_EQ(t.GanadasVs()[2], 0);
}

TEST_F(Records, PlaceholderNameTakesTheFirstEmptyRowAsItsOwn) {
    seedVs({{"a", 1, 1, 10}});
    RecordTables t = tables();
    t.NuevoRecordVs(5, false, "(no name)");
    t.NuevoRecordVs(5, false, "(no name)");
    EXPECT_EQ(t.JugadasVs()[1], 2);
    EXPECT_EQ(t.NombreVs(2), "") << "still reads as an empty name";
}

TEST_F(Records, OverlongNameNeverMatchesItsCutRow) {
    RecordTables t = tables();
    const QString longName(256, 'q');
    t.NuevoRecordVs(1, true, longName);
    t.NuevoRecordVs(1, true, longName);
    EXPECT_EQ(t.NombreVs(1), QString(255, 'q'));
    EXPECT_EQ(t.NombreVs(2), QString(255, 'q'));
}

TEST_F(Records, DeletingAPlayerMovesTheRowsBelowUp) {
    EXPECT_FALSE(RecordTables::playerNumber("abc"));
    EXPECT_FALSE(RecordTables::playerNumber("0"));
    EXPECT_FALSE(RecordTables::playerNumber("11"));
    EXPECT_EQ(RecordTables::playerNumber("10"), 10);
    QList<VsRow> rows;
    for (int i = 0; i < 10; ++i)
        rows.append({QString("p%1").arg(i + 1), 1, 1, 100 - i});
    seedVs(rows);
    RecordTables t = tables();
    EXPECT_FALSE(t.deleteVsPlayer(11));
    EXPECT_EQ(t.NombreVs(10), "p10");
    t.deleteVsPlayer(10);
    EXPECT_EQ(t.NombreVs(10), "");
    EXPECT_EQ(t.NombreVs(9), "p9");
    t.deleteVsPlayer(1);
    EXPECT_EQ(t.NombreVs(1), "p2");
    EXPECT_EQ(t.PuntosVs()[7], 92);
    EXPECT_EQ(t.JugadasVs()[9], 0);
}

TEST_F(Records, ClearingATableEmptiesOnlyThatOneInTheCurrentLanguage) {
    seedVs({{"a", 1, 1, 10}});
    RecordTables t = tables();
    QString n = "x";
    t.NuevoRecordFases(10, 2, n, answer("s"));
    t.clearStageScores();
    EXPECT_EQ(t.PuntosFases()[0], 0);
    EXPECT_EQ(t.FasesFases()[0], 0);
    EXPECT_EQ(t.NombreVs(1), "a");
    t.clearVsScores();
    EXPECT_EQ(t.NombreVs(1), "");
    EXPECT_EQ(RecordTables::columnText(t.PuntosVs()), QString("0\n").repeated(10));
}

TEST_F(Records, StoredValuesHaveTheirSizesAndChangesAreStoredAtOnce) {
    {
        RecordTables t = tables();
        t.NuevoRecordVs(7, true, QStringLiteral("Iñaki"));
    }
    auto k = store.openKey(Key, false);
    ASSERT_TRUE(k);
    const QList<QPair<const char *, int>> sizes{{"Rounds - Points", 40},  {"Rounds - Rounds", 40},
                                                {"Rounds - Names", 2560}, {"Vs - Points", 40},
                                                {"Vs - Names", 2560},     {"Vs - Played", 40},
                                                {"Vs - Won", 40}};
    for (const auto &[name, size] : sizes) {
        ASSERT_TRUE(k->value(name)) << name;
        EXPECT_EQ(k->value(name)->type, StoreType::Binary);
        EXPECT_EQ(k->value(name)->size(), size) << name;
    }
    const QByteArray slot = k->value("Vs - Names")->binary.left(6);
    EXPECT_EQ(slot, QByteArray("\x05"
                               "I\xF1"
                               "aki"));
    RecordTables again = tables();
    EXPECT_EQ(again.NombreVs(1), QStringLiteral("Iñaki"));
    EXPECT_EQ(again.PuntosVs()[0], 7);
}

TEST_F(Records, ShortValueFillsOnlyTheRowsItCovers) {
    seedVs({{"a", 1, 1, 10}});
    store.openKey(Key, false)->setBinary("Rounds - Points", numbers({9, 8, 7, 6, 5}));
    RecordTables t = tables();
    EXPECT_EQ(t.PuntosFases()[4], 5);
    EXPECT_EQ(t.PuntosFases()[5], 0);
    EXPECT_EQ(t.NombreVs(1), "a");
}

// One bad value used to empty both tables, and the next store wrote the empty ones over
// the good values.
TEST_F(Records, BadValueEmptiesOnlyItsOwnTableAndTheFileIsKeptBeforeTheNextStore) {
    const QList<QPair<bool, std::function<void(StoreKey &)>>> spoilers{
        {true, [](StoreKey &k) { k.setBinary("Rounds - Names", QByteArray(3000, '\x01')); }},
        {true, [](StoreKey &k) { k.setString("Rounds - Rounds", "3"); }},
        {false, [](StoreKey &k) { k.setBinary("Vs - Won", {}); }},
        {false, [](StoreKey &k) { k.setString("Vs - Won", "1"); }},
        {false, [](StoreKey &k) { k.setBinary("Vs - Points", QByteArray(41, '\0')); }},
    };
    for (const auto &[inStages, spoil] : spoilers) {
        QFile::remove(store.filePath() + ".corrupt");
        seedVs({{"a", 1, 1, 10}});
        store.openKey(Key, false)->setBinary("Rounds - Points", numbers({500}));
        StoreKey k = *store.openKey(Key, false);
        spoil(k);
        const QByteArray spoilt = fileBytes();
        RecordTables t = tables();
        EXPECT_EQ(t.PuntosFases()[0], inStages ? 0 : 500);
        EXPECT_EQ(t.NombreVs(1), inStages ? "a" : "");
        EXPECT_EQ(t.PuntosVs()[0], inStages ? 10 : 0);
        EXPECT_FALSE(QFile::exists(store.filePath() + ".corrupt")) << "reading never writes";

        ASSERT_TRUE(t.GuardarRecords());
        QFile aside(store.filePath() + ".corrupt");
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), spoilt);
        // Kept once: the next store does not replace the copy with the emptied tables.
        t.NuevoRecordVs(5, true, "b");
        aside.seek(0);
        EXPECT_EQ(aside.readAll(), spoilt);
    }
    EXPECT_TRUE(reports.isEmpty()) << "loading never reports";
}

TEST_F(Records, MissingTableReadsEmptyBesideTheOtherWithoutACopy) {
    seedVs({{"a", 1, 1, 10}});
    const StoreKey seeded = *store.openKey(Key, false);
    // A store holding only the one-to-one table: nothing in it was refused.
    UserStore partial(dir.filePath("partial.json"));
    StoreKey k = *partial.openKey(Key, true);
    for (const char *name : {"Vs - Points", "Vs - Names", "Vs - Played", "Vs - Won"})
        k.setBinary(name, seeded.value(name)->binary);
    RecordTables t(Key, partial);
    EXPECT_EQ(t.NombreVs(1), "a");
    EXPECT_EQ(t.NombresFases()[0], "(no name)");
    ASSERT_TRUE(t.GuardarRecords());
    EXPECT_FALSE(QFile::exists(partial.filePath() + ".corrupt"));
}

TEST_F(Records, UnopenableStoreIsReportedOnceForManyChanges) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("folder.json"));
    RecordTables t(Key, UserStore(dir.filePath("folder.json")));
    t.NuevoRecordVs(5, true, "a");
    t.NuevoRecordVs(6, true, "b");
    EXPECT_EQ(reports, QStringList{"Error: Error while writing in the Windows Registry."});
    EXPECT_EQ(t.NombreVs(1), "b") << "the tables go on in memory";
    EXPECT_EQ(t.NombreVs(2), "a");
}

TEST_F(Records, FailedStoreIsReportedAndKeepsWhatWasStored) {
    seedVs({{"a", 1, 1, 10}});
    RecordTables t = tables();
    {
        FileSizeLimit limit(100);
        t.NuevoRecordVs(5, true, "a");
    }
    EXPECT_EQ(reports, QStringList{"Error: Error while writing in the Windows Registry."});
    EXPECT_EQ(tables().PuntosVs()[0], 10);
}
