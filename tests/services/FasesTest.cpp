#include "services/Fases.h"
#include "services/ErrorReport.h"
#include "tests/services/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

std::int32_t &at(TFase &f, int c, int r) {
    return f.Tablero[18 * (c + 1) + (r + 1)];
}

TFase emptyStage() {
    TFase f;
    for (int c = -1; c <= 7; ++c)
        for (int r = -1; r <= 16; ++r)
            at(f, c, r) = (c == -1 || c == 7 || r == -1 || r == 16) ? -1 : 0;
    return f;
}

TFaseTable sampleTable() {
    TFaseTable t;
    for (int n = 0; n < StageCount; ++n) {
        t[n] = emptyStage();
        t[n].Objetivo = 20 + n;
        t[n].Limite = 4 + n % 2;
        t[n].RocasAzar = n % 3 == 0;
        t[n].LineasRocas = n % 5 == 0;
        at(t[n], n % 7, 15) = 7;
        at(t[n], n % 7, 14) = 1 + n % 6;
    }
    return t;
}

bool sameTable(const TFaseTable &a, const TFaseTable &b) {
    for (int n = 0; n < StageCount; ++n) {
        if (a[n].Tablero != b[n].Tablero || a[n].Objetivo != b[n].Objetivo ||
            a[n].Limite != b[n].Limite || a[n].RocasAzar != b[n].RocasAzar ||
            a[n].LineasRocas != b[n].LineasRocas)
            return false;
    }
    return true;
}

// Runs a test body with a scratch current directory and puts the old one back.
class StageFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        previous = QDir::currentPath();
        ASSERT_TRUE(dir.isValid());
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }
    void writeFile(const QByteArray &bytes) {
        QFile f(dir.filePath(StageFileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
    QString previous;
};

} // namespace

TEST(StageFormat, RecordsSitAtTheirOffsetsLittleEndian) {
    const TFaseTable t = sampleTable();
    const QByteArray bytes = SerializeStages(t);
    ASSERT_EQ(bytes.size(), 16500);
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData()) + 3 * 660;
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 72 * (3 + 1) + 4 * (15 + 1)), 7);
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 0), -1);
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 648), 23);
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 652), 5);
    EXPECT_EQ(p[656], 1);
    EXPECT_EQ(p[657], 0);
}

TEST(StageFormat, RoundTripsAndIgnoresPaddingAndTrailingBytes) {
    const TFaseTable t = sampleTable();
    QByteArray bytes = SerializeStages(t);
    bytes[658] = '\x55';
    bytes[656 + 660] = '\x80'; // any non-zero byte means yes
    bytes.append(1234, '\x7f');
    TFaseTable back;
    ASSERT_TRUE(ParseStages(bytes, back));
    TFaseTable expected = t;
    expected[1].RocasAzar = true;
    EXPECT_TRUE(sameTable(back, expected));
}

TEST(StageFormat, RefusesShortInputAndLeavesTableUntouched) {
    const TFaseTable t = sampleTable();
    for (qsizetype size : {qsizetype(0), qsizetype(660), qsizetype(16499)}) {
        TFaseTable table = t;
        QString why;
        EXPECT_FALSE(ParseStages(SerializeStages(t).left(size), table, &why)) << size;
        EXPECT_FALSE(why.isEmpty());
        EXPECT_TRUE(sameTable(table, t));
    }
}

TEST(StageFormat, RefusesBrokenBoards) {
    struct Case {
        const char *name;
        int c, r, value;
    } cases[] = {
        {"wall ring left", -1, 5, 0},       {"wall ring bottom", 3, 16, 7},
        {"wall ring corner", 7, -1, 0},     {"code above seven", 2, 15, 8},
        {"negative interior", 0, 15, -1},   {"gap under a gem", 4, 15, 0},
        {"gem floating mid-well", 6, 3, 2},
    };
    for (const Case &k : cases) {
        TFaseTable t = sampleTable();
        at(t[4], 4, 14) = 2; // column 4 holds 2 over 7 in stage 5
        at(t[24], k.c, k.r) = k.value;
        if (k.c == 4 && k.r == 15)
            at(t[24], 4, 14) = 3;
        TFaseTable table;
        QString why;
        EXPECT_FALSE(ParseStages(SerializeStages(t), table, &why)) << k.name;
        EXPECT_TRUE(why.startsWith("stage 25")) << k.name << ": " << why.toStdString();
    }
}

TEST(StageFormat, RefusesImpossibleLimitsAndTargetsNamingTheStage) {
    // A limit of 0 makes every gem vanish; negative counts overflow the points and the
    // gems remaining.
    struct Case {
        std::int32_t limit, target;
        const char *reason;
    } cases[] = {
        {0, 20, "stage 9: limit 0 is outside 1..112"},
        {113, 20, "stage 9: limit 113 is outside 1..112"},
        {-2147483647 - 1, 20, "stage 9: limit -2147483648 is outside 1..112"},
        {4, -1, "stage 9: target -1 is outside 0..99999"},
        {4, 100000, "stage 9: target 100000 is outside 0..99999"},
    };
    for (const Case &k : cases) {
        TFaseTable t = sampleTable();
        t[8].Limite = k.limit;
        t[8].Objetivo = k.target;
        TFaseTable table = sampleTable();
        QString why;
        EXPECT_FALSE(ParseStages(SerializeStages(t), table, &why)) << k.reason;
        EXPECT_EQ(why, k.reason);
        EXPECT_TRUE(sameTable(table, sampleTable()));
    }
}

TEST(StageFormat, AcceptsTheBoundsOfLimitAndTarget) {
    TFaseTable t = sampleTable();
    t[0].Limite = 1;
    t[0].Objetivo = 0;
    t[24].Limite = 112;
    t[24].Objetivo = 99999;
    TFaseTable table;
    ASSERT_TRUE(ParseStages(SerializeStages(t), table));
    EXPECT_TRUE(sameTable(table, t));
}

TEST(StageFormat, AcceptsFullAndEmptyColumns) {
    TFaseTable t = sampleTable();
    for (int r = 0; r < 16; ++r)
        at(t[0], 5, r) = 7;
    TFaseTable table;
    EXPECT_TRUE(ParseStages(SerializeStages(t), table));
}

TEST_F(StageFileOnDisk, LoadsExactSizeFileFromCurrentDirectory) {
    writeFile(SerializeStages(sampleTable()));
    EXPECT_EQ(QFileInfo(FindStageFile()).canonicalFilePath(),
              QFileInfo(dir.filePath(StageFileName)).canonicalFilePath());
    TFaseTable table;
    ASSERT_TRUE(LoadStageFile(table));
    EXPECT_TRUE(sameTable(table, sampleTable()));
}

TEST_F(StageFileOnDisk, RefusesMissingEmptyAndShortFiles) {
    TFaseTable table;
    QString why;
    EXPECT_EQ(FindStageFile(), StageFileName) << "no file anywhere: the bare name";
    EXPECT_FALSE(LoadStageFile(table, &why));
    EXPECT_TRUE(why.contains(StageFileName));
    writeFile({});
    EXPECT_FALSE(LoadStageFile(table));
    writeFile(SerializeStages(sampleTable()).left(16499));
    EXPECT_FALSE(LoadStageFile(table));
}

TEST(StageFileError, FatalMessageNamesTheFile) {
    QString caption, text;
    ErrorReporter old = SetErrorReporter([&](const QString &c, const QString &t) {
        caption = c;
        text = t;
    });
    ReportStageFileError();
    SetErrorReporter(old);
    EXPECT_EQ(caption, "Fatal error");
    EXPECT_EQ(text, "Error opening Fases.dat.");
}
