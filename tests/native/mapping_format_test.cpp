#include "mapping/mapping_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace dralmoft {
namespace {

TEST(MappingFormat, LinesSplitAtTheFirstSemicolonAfterTrimming) {
    AccountMap table;
    ReadAccountText(
        " 4711;6000;7000 \r\n"  // two ';': the account keeps the second
        "\t099;30.00 \r\n"      // trailing blanks of the account go
        "no separator\r\n"      // the whole line is an account under ""
        "\r\n"                  // an empty line: "" with ""
        "k; a b ;\r\n"          // inner blanks stay
        "last",                 // no line end
        table);
    // The empty line and the lines without ';' all land on the empty key: the last wins.
    const AccountMap::Entries expected = {{"", "last"}, {"099", "30.00"}, {"4711", "6000;7000"}, {"k", " a b ;"}};
    EXPECT_EQ(std::map(table.begin(), table.end()), expected);
}

TEST(MappingFormat, LastLineWinsAndSaveSortsByUnsignedBytes) {
    AccountMap table;
    ReadAccountText("b;2\r\na;1\r\nb;3\r\n\xC1;greek\r\nZ;upper\r\n", table);
    EXPECT_EQ(WriteAccountText(table), "Z;upper\r\na;1\r\nb;3\r\n\xC1;greek\r\n");
}

TEST(MappingFormat, BlankAccountsAreKeptInTheTableButNeverWritten) {
    AccountMap table;
    table["1"] = "   ";
    table["2"] = "";
    table["3"] = "\t30.00 ";
    EXPECT_EQ(table.Size(), 3u);
    EXPECT_EQ(WriteAccountText(table), "3;\t30.00 \r\n");
}

TEST(MappingFormat, SemicolonInAKeyComesBackUnderItsFirstPart) {
    AccountMap table;
    table["Κρασί; λευκό"] = "20.00";
    const std::string text = WriteAccountText(table);
    EXPECT_EQ(text, "Κρασί; λευκό;20.00\r\n");
    AccountMap reread;
    ReadAccountText(text, reread);
    EXPECT_EQ(reread["Κρασί"], " λευκό;20.00");
}

TEST(MappingFormat, VatKeysReadLikeStrtod) {
    EXPECT_EQ(ParseVatKey("19"), 19.0);
    EXPECT_EQ(ParseVatKey("  19.00"), 19.0);
    EXPECT_EQ(ParseVatKey("19.000000"), 19.0);
    EXPECT_EQ(ParseVatKey("+6.5abc"), 6.5);
    EXPECT_EQ(ParseVatKey("-4"), -4.0);
    EXPECT_EQ(ParseVatKey(".5"), 0.5);
    EXPECT_EQ(ParseVatKey("5."), 5.0);
    EXPECT_EQ(ParseVatKey("1e1"), 10.0);
    EXPECT_EQ(ParseVatKey("2e"), 2.0);
    EXPECT_EQ(ParseVatKey("6,5"), 6.0);
    EXPECT_EQ(ParseVatKey(""), 0.0);
    EXPECT_EQ(ParseVatKey("ΦΠΑ"), 0.0);
    EXPECT_EQ(ParseVatKey("."), 0.0);
    EXPECT_EQ(ParseVatKey("1e999"), HUGE_VAL);
    EXPECT_EQ(ParseVatKey("-1e-999"), 0.0);
    EXPECT_EQ(ParseVatKey("Infinity"), HUGE_VAL);
    EXPECT_EQ(ParseVatKey("nan"), 0.0) << "NaN would break the table's order";
}

TEST(MappingFormat, VatFileKeysAreWrittenWithSixDecimals) {
    VatAccountMap table;
    ReadAccountText("19;a\r\n19.00;b\r\n 19.000000;c\r\n6.5;d\r\nline without separator\r\n13;\r\n", table);
    EXPECT_EQ(WriteAccountText(table), "0.000000;line without separator\r\n6.500000;d\r\n19.000000;c\r\n");
    EXPECT_EQ(FormatVatKey(6.126), "6.126000");
    EXPECT_EQ(FormatVatKey(1e20), "100000000000000000000.000000");
    EXPECT_EQ(FormatVatKey(0.0000015), "0.000002");
    EXPECT_EQ(FormatVatKey(-0.0), "-0.000000");
}

TEST(MappingFormat, SaveThenLoadGivesTheSameTable) {
    std::mt19937 random(7);
    const std::string alphabet = "09AZaz;. \t\xC1\xE1\xDC\xFF-";
    auto text = [&](std::size_t maxLength) {
        std::string value(random() % (maxLength + 1), ' ');
        for (char& c : value) c = alphabet[random() % alphabet.size()];
        return value;
    };
    for (int round = 0; round < 200; ++round) {
        AccountMap written;
        for (int i = 0; i < 20; ++i) written[text(8)] = text(12);
        AccountMap reread;
        ReadAccountText(WriteAccountText(written), reread);

        // What survives: entries with a non-blank account, the key trimmed at its start
        // and cut at a ';', the account trimmed at its end (what a reader of the line sees).
        AccountMap expected;
        for (const auto& [key, account] : written) {
            if (TrimSpace(account).empty()) continue;
            const std::string written = key + ";" + account;
            const MappingLine line = SplitMappingLine(TrimSpace(written));
            expected[std::string(line.key)] = std::string(line.account);
        }
        ASSERT_EQ(std::map(reread.begin(), reread.end()), std::map(expected.begin(), expected.end()));
    }
}

// Exactly what CheckStorable lets through comes back from a save and a load unchanged:
// it refuses nothing that would survive (but a CR), and lets nothing through that would not.
TEST(MappingFormat, StorableEntriesAndOnlyThoseComeBackAsTheyWere) {
    std::mt19937 random(11);
    const std::string alphabet = "0Aa;. \t\r\n\v\f\xC1\xE1";
    auto text = [&](std::size_t maxLength) {
        std::string value(random() % (maxLength + 1), ' ');
        for (char& c : value) c = alphabet[random() % alphabet.size()];
        return value;
    };
    int storable = 0, refused = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string key = text(4);
        const std::string account = text(4);
        if (TrimSpace(account).empty()) continue;  // a removal, not an entry
        AccountMap written;
        written[key] = account;
        AccountMap reread;
        ReadAccountText(WriteAccountText(written), reread);
        const bool cameBack = reread.Size() == 1 && reread.begin()->first == key && reread.begin()->second == account;
        const bool accepted = CheckStorable(key, account) == Unstorable::None;
        // A lone CR inside a text survives the reader, but no editor or ledger takes it
        // for anything but a line break: it is refused too.
        const bool holdsCr = (key + account).find('\r') != std::string::npos;
        ASSERT_EQ(accepted, cameBack && !holdsCr) << "key \"" << key << "\" account \"" << account << "\"";
        (accepted ? storable : refused)++;
    }
    EXPECT_GT(storable, 1000);
    EXPECT_GT(refused, 1000);
    EXPECT_EQ(CheckStorable("\xC2\xDF\xE4\xE1; 5mm", "20.00"), Unstorable::KeyHoldsSemicolon);  // "Βίδα; 5mm"
    EXPECT_EQ(CheckStorable(" 999888777 ", "30.00"), Unstorable::KeyBeginsWithBlank);
    EXPECT_EQ(CheckStorable("999888777 ", "30.00"), Unstorable::None) << "a trailing blank of a key survives";
    EXPECT_EQ(CheckStorable("1", "30.00 "), Unstorable::AccountEndsWithBlank);
    EXPECT_EQ(CheckStorable("1", "   "), Unstorable::None) << "a blank account removes the entry";
    EXPECT_EQ(CheckStorable("1", "30\r\n00"), Unstorable::AccountHoldsLineBreak);
}

TEST(MappingFormat, FilesInUtf8OrUtf16AreReadInTheirEncoding) {
    const std::string greek1253 = "\xCC\xDD\xEB\xE9;20.00\r\n";  // "Μέλι;20.00"
    const std::string utf8 = "\xCE\x9C\xCE\xAD\xCE\xBB\xCE\xB9;20.00\r\n";
    struct Case {
        std::string bytes;
        TextEncoding encoding;
    };
    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF";
    for (const char16_t unit : std::u16string(u"Μέλι;20.00\r\n")) {
        utf16le.append({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
        utf16be.append({static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)});
    }
    const Case cases[] = {
        {greek1253, TextEncoding::Windows1253},  // never well-formed UTF-8
        {utf8, TextEncoding::Utf8},
        {"\xEF\xBB\xBF" + utf8, TextEncoding::Utf8},
        {utf16le, TextEncoding::Utf16},
        {utf16be, TextEncoding::Utf16},
    };
    for (const Case& file : cases) {
        const DecodedText decoded = DecodeAccountText(file.bytes);
        EXPECT_EQ(decoded.text, greek1253);
        EXPECT_EQ(decoded.encoding, file.encoding);
    }
    EXPECT_EQ(DecodeAccountText("1;30.00\r\n").encoding, TextEncoding::Windows1253) << "plain ASCII";
    EXPECT_EQ(DecodeAccountText("\xC0\xAF;x").encoding, TextEncoding::Windows1253) << "an overlong form is no UTF-8";
}

// A rate is kept as the file keeps it ("%f"): rates that the file cannot tell apart are
// one entry, found by any of them.
TEST(MappingFormat, VatRatesAreKeptAsTheFileKeepsThem) {
    EXPECT_EQ(StoredVatRate(23.9999999), 24.0);
    EXPECT_EQ(StoredVatRate(100.0 / 3.0), 33.333333);
    EXPECT_TRUE(std::isnan(StoredVatRate(std::nan(""))));
    VatAccountMap table;
    table[23.9999999] = "54.00;a;b";
    EXPECT_EQ(table[24.0], "54.00;a;b");
    table[100.0 / 3.0] = "x;y;z";
    VatAccountMap reread;
    ReadAccountText(WriteAccountText(table), reread);
    EXPECT_EQ(reread[100.0 / 3.0], "x;y;z");
    EXPECT_EQ(reread.Size(), 2u);
}

}  // namespace
}  // namespace dralmoft
