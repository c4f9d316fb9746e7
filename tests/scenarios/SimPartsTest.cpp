#include "tools/script/ScriptReader.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QStringList words(const QString &line) {
    return ScriptReader::splitWords(line, 1);
}

// Guards quoting, escapes and comments of script lines.
TEST(ScriptReader, SplitsWordsWithQuotesEscapesAndComments) {
    EXPECT_EQ(words("  key   left1\t# comment"), QStringList({"key", "left1"}));
    EXPECT_EQ(words("names \"Ann Lee\" \"\""), QStringList({"names", "Ann Lee", ""}));
    EXPECT_EQ(words(R"(echo "a \"b\" \\ \n\r # kept")"),
              QStringList({"echo", "a \"b\" \\ \n\r # kept"}));
    EXPECT_TRUE(words("   # only a comment").isEmpty());
}

TEST(ScriptReader, RefusesBrokenQuotesWithTheLineNumber) {
    for (const char *bad : {"echo \"open", "echo \"a\"b", "echo a\"b", "echo \"bad \\q\""}) {
        try {
            ScriptReader::splitWords(QString::fromLatin1(bad), 7);
            ADD_FAILURE() << bad;
        } catch (const ScriptError &error) {
            EXPECT_EQ(error.lineNumber, 7) << bad;
        }
    }
}

// Guards the line numbers of errors and the raw rows read after "board".
TEST(ScriptReader, CountsLinesAcrossBlanksCommentsAndRawRows) {
    ScriptReader reader("# head\n\nnew\nboard 1\n  RR.....  # row\n\n.......\nshow\n");
    ScriptLine line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.number, 3);
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.number, 4);
    QString row;
    int number = 0;
    ASSERT_TRUE(reader.nextRaw(row, number));
    EXPECT_EQ(row, "RR.....");
    EXPECT_EQ(number, 5);
    ASSERT_TRUE(reader.nextRaw(row, number));
    EXPECT_EQ(number, 7);
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.words, QStringList({"show"}));
    EXPECT_EQ(line.number, 8);
    EXPECT_FALSE(reader.next(line));
}

} // namespace
