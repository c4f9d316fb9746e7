#include "services/Cp1252.h"
#include "tests/services/QtPrinters.h"

#include <gtest/gtest.h>

TEST(Cp1252, EncodesOneBytePerCharacterAndMarksTheRest) {
    EXPECT_EQ(ToCp1252(QStringLiteral("Añ€")), QByteArray("A\xF1\x80"));
    EXPECT_EQ(ToCp1252(QStringLiteral("Ω")), QByteArray("?"));
    EXPECT_EQ(ToCp1252(QString::fromUcs4(U"\U0001F600x")), QByteArray("?x"))
        << "a character outside the basic plane is one mark, not two";
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
    EXPECT_EQ(FromCp1252("\x9F"), QStringLiteral("Ÿ"));
}
