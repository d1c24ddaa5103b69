// The Western Windows code page both ways: the 32 bytes where it differs
// from Latin-1, its five undefined bytes, characters it lacks, and every
// printable byte through a round trip.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include "NetMessage.h"
#include "Windows1252.h"

namespace reversi {
namespace {

struct Cell {
    unsigned char byte;
    char16_t character;
};

// Bytes 0x80 to 0x9F and their characters, as the code page's chart lists
// them; the undefined five are the C1 controls of their own numbers.
constexpr Cell Chart[] = {
    {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x82, u'\u201A'}, {0x83, u'\u0192'}, {0x84, u'\u201E'},
    {0x85, u'\u2026'}, {0x86, u'\u2020'}, {0x87, u'\u2021'}, {0x88, u'\u02C6'}, {0x89, u'\u2030'},
    {0x8A, u'\u0160'}, {0x8B, u'\u2039'}, {0x8C, u'\u0152'}, {0x8D, u'\u008D'}, {0x8E, u'\u017D'},
    {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x91, u'\u2018'}, {0x92, u'\u2019'}, {0x93, u'\u201C'},
    {0x94, u'\u201D'}, {0x95, u'\u2022'}, {0x96, u'\u2013'}, {0x97, u'\u2014'}, {0x98, u'\u02DC'},
    {0x99, u'\u2122'}, {0x9A, u'\u0161'}, {0x9B, u'\u203A'}, {0x9C, u'\u0153'}, {0x9D, u'\u009D'},
    {0x9E, u'\u017E'}, {0x9F, u'\u0178'},
};

QByteArray Byte(unsigned char b) { return QByteArray(1, static_cast<char>(b)); }

TEST(Windows1252Test, EveryByteFrom0x80To0x9FBothWays) {
    ASSERT_EQ(std::size(Chart), 32u);
    for (const Cell& cell : Chart) {
        const QString character(QChar(cell.character));
        EXPECT_EQ(DecodeWindows1252(Byte(cell.byte)), character) << int(cell.byte);
        EXPECT_EQ(EncodeWindows1252(character), Byte(cell.byte)) << int(cell.byte);
    }
}

TEST(Windows1252Test, TheEuroSignIsByte0x80) {
    EXPECT_EQ(EncodeWindows1252(QStringLiteral("5 \u20AC")), QByteArray("5 \x80"));
    EXPECT_EQ(DecodeWindows1252(QByteArray("5 \x80")), QStringLiteral("5 \u20AC"));
    // The wire's text codec is this code page.
    EXPECT_EQ(EncodeChat(QStringLiteral("\u20AC")), QByteArray("T\x80"));
    EXPECT_EQ(DecodeNetText(QByteArray("\x80")), QStringLiteral("\u20AC"));
}

TEST(Windows1252Test, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("\u263A"), "?"},      // a smiling face
        {QStringLiteral("\u0100bc"), "?bc"},  // a Latin letter beyond the code page
        {QStringLiteral("\u0080"), "?"},      // a C1 control the code page replaced by "€"
        {QStringLiteral("\u009F"), "?"},      // ... by "Ÿ"
        {QString::fromUtf8("a\xF0\x9F\x98\x80z"), "a?z"},   // beyond 16 bits: one character
        {QString(QChar(0xD800)) + QLatin1Char('x'), "?x"},  // a lone surrogate
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeWindows1252(c.text), c.bytes) << c.bytes.constData();
}

TEST(Windows1252Test, EveryByteFrom0x20To0xFFSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0x20; b <= 0xFF; ++b) all += static_cast<char>(b);
    const QString text = DecodeWindows1252(all);
    ASSERT_EQ(text.size(), all.size()) << "one character per byte";
    EXPECT_EQ(EncodeWindows1252(text), all);
    // Above 0x9F the code page is Latin-1.
    for (int b = 0xA0; b <= 0xFF; ++b) EXPECT_EQ(text[b - 0x20].unicode(), b);
    for (int b = 0x20; b < 0x80; ++b) EXPECT_EQ(text[b - 0x20].unicode(), b);
}

}  // namespace
}  // namespace reversi
