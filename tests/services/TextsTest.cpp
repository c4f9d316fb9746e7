#include "core/Texts.h"
#include "core/TextTable.h"
#include "tests/services/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Texts, EnglishTableAnswersByIdAndMissingIdIsEmpty) {
    EXPECT_EQ(GetText(14000), "(no name)");
    EXPECT_EQ(GetText(1002), "Error");
    EXPECT_EQ(GetText(3), "");
    EXPECT_EQ(GetText(-1), "");
    EXPECT_FALSE(GetText(10013).isEmpty());
}

TEST(Texts, LineBreaksAreKept) {
    EXPECT_EQ(GetTextFmt(10003, {7, 5}), "Stage 7\n\nJoin 5 or more gems to eliminate them.");
    EXPECT_TRUE(GetText(2).contains("\r\n"));
}

TEST(Texts, FormatFillsIntegersAndStringsInOrder) {
    EXPECT_EQ(GetTextFmt(100, {"Ann", "Bob"}), "Ann has been eliminated by Bob");
    EXPECT_EQ(GetTextFmt(1008, {"Fases.dat"}), "Error opening Fases.dat.");
    EXPECT_EQ(GetTextFmt(10009, {-3}), "Gems remaining: -3");
}

TEST(Texts, ZeroPrecisionDirectivePrintsZeroAsNothing) {
    EXPECT_EQ(GetTextFmt(65001, {1, 1, ""}), "Version 1.1");
    EXPECT_EQ(FormatText("Version %d.%.d%s", {2, 0, "b"}), "Version 2.b");
}

TEST(Texts, FormatLeavesUnknownDirectivesAndToleratesMissingArguments) {
    EXPECT_EQ(FormatText("100%% %x %d", {}), "100% %x ");
    EXPECT_EQ(FormatText("trailing %", {}), "trailing %");
}

TEST(TextTable, ParsesEscapesAndRefusesMalformedLines) {
    TextTable t;
    ASSERT_TRUE(TextTable::parse("# comment\n\n5 a\\nb\\\\c\r\n7\n", t));
    EXPECT_EQ(t.text(5), "a\nb\\c");
    EXPECT_TRUE(t.contains(7));
    EXPECT_EQ(t.text(7), "");
    QString why;
    EXPECT_FALSE(TextTable::parse("x text\n", t, &why));
    EXPECT_FALSE(TextTable::parse("5 a\n5 b\n", t, &why));
    EXPECT_FALSE(TextTable::parse("5 bad\\q\n", t, &why));
    EXPECT_TRUE(why.contains("line 1"));
    EXPECT_EQ(t.text(5), "a\nb\\c") << "a failed parse leaves the table as it was";
}

TEST(Texts, CurrentTableReplacesEnglishAndNulCutsText) {
    TextTable other;
    other.insert(1002, QStringLiteral("Fallo"));
    other.insert(9, QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"));
    SetCurrentTextTable(&other);
    EXPECT_EQ(GetText(1002), "Fallo");
    EXPECT_EQ(GetText(9), "ab");
    EXPECT_EQ(GetText(14000), "") << "the English table is not a fallback";
    SetCurrentTextTable(nullptr);
    EXPECT_EQ(GetText(1002), "Error");
}
