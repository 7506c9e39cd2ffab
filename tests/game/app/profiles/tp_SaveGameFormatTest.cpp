// The byte-level formats: Base64 names, the profile list document, the
// saved-game checksum line and entry naming. Also random bytes through both
// parsers, which must never crash (the sanitizers watch).
#include "engine/core/tr_Random.h"
#include "game/app/tp_Base64.h"
#include "game/app/tp_ProfileList.h"
#include "game/app/tp_SaveGameEntry.h"
#include "game/app/tp_SaveGameFile.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>

TEST(Base64Test, EncodesAndDecodesLikeTheStandardAlphabet) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"", ""},
        {"A", "QQ=="},
        {"An", "QW4="},
        {"Ann", "QW5u"},
        {std::string("\xff\xfe\x00", 3), "//4A"},
        {"J\xc3\xbcrgen", "SsO8cmdlbg=="},
        {"a+b/c", "YStiL2M="},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tp_Base64::Encode(c.bytes), c.text) << c.text;
        EXPECT_EQ(tp_Base64::Decode(c.text), c.bytes) << c.text;
    }
    // Decoding stops at "=" or at the first character outside the alphabet.
    EXPECT_EQ(tp_Base64::Decode("QW5u=QW5u"), "Ann");
    EXPECT_EQ(tp_Base64::Decode("QW5u QW5u"), "Ann");
    EXPECT_EQ(tp_Base64::Decode("QW5u\nQW5u"), "Ann");
}

TEST(ProfileListTest, CurrentIndexIsKeptOnlyWhenItNamesAProfile) {
    struct Case {
        const char* current;
        int expected;
    };
    const Case cases[] = {{"0", 0},   {"1", 1},   {"2", -1},  {"99", -1},
                          {"-1", -1}, {"-2", -2}, {"-3", -1}, {"x", -1}};
    for (const Case& c : cases) {
        const std::string text = std::string("<profiles current=\"") + c.current +
                                 "\"><profile id=\"p_000000\" name=\"QW5u\"/>"
                                 "<profile id=\"p_000004\" name=\"Qm9i\"/></profiles>";
        tp_ProfileList list;
        ASSERT_TRUE(list.Parse(text.data(), text.size()));
        EXPECT_EQ(list.current, c.expected) << c.current;
        ASSERT_EQ(list.profiles.size(), 2u);
        EXPECT_EQ(list.profiles[1].id, "p_000004");
        EXPECT_EQ(list.profiles[1].name, "Bob");
    }
}

TEST(ProfileListTest, PrintedListReadsBackAndBrokenBytesGiveTheErrorState) {
    tp_ProfileList list;
    list.profiles = {{"p_000000", "Ann"}, {"p_000007", "<\"&'> \xc3\xa9"}};
    list.current = 1;
    const std::string text = list.Print();
    EXPECT_NE(text.find("<profile id=\"p_000000\" name=\"QW5u\"/>\n"), std::string::npos);
    tp_ProfileList back;
    ASSERT_TRUE(back.Parse(text.data(), text.size()));
    EXPECT_EQ(back.current, 1);
    EXPECT_EQ(back.profiles[1].name, list.profiles[1].name);

    const std::string cut = text.substr(0, text.size() / 2);
    EXPECT_FALSE(back.Parse(cut.data(), cut.size()));
    EXPECT_EQ(back.current, tp_ProfileList::kListError);
    EXPECT_TRUE(back.profiles.empty());
}

TEST(ProfileListTest, OnlyPlainIdsNameFiles) {
    struct Case {
        const char* id;
        long long number;
    };
    const Case cases[] = {{"p_000000", 0}, {"p_000012", 12},     {"p_1234567", 1234567}, {"p_", -1},
                          {"p_12a", -1},   {"p_../../x", -1},    {"q_000001", -1},       {"", -1},
                          {"p_-1", -1},    {"p_12345678901", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(tp_ProfileList::IdNumber(c.id), c.number) << c.id;
        EXPECT_EQ(tp_ProfileList::IsValidId(c.id), c.number >= 0) << c.id;
    }
    EXPECT_EQ(tp_ProfileList::MakeId(3), "p_000003");
}

TEST(SaveGameFileTest, ChecksumLineGuardsTheDocument) {
    const std::string document = "<profile><game_data><data><s_1 v=\"a\"/></data></game_data>"
                                 "</profile>";
    const std::string signed_text = tp_SaveGameFile::Sign(document);
    ASSERT_EQ(signed_text.rfind("<!--", 0), 0u);
    std::string one_char = signed_text;
    one_char[one_char.find("\"a\"") + 1] = 'b';
    const std::string high = signed_text + "<!--\xff\xff-->";
    struct Case {
        std::string text;
        tp_SaveGameFile::Status status;
    };
    const Case cases[] = {
        {signed_text, tp_SaveGameFile::OK},
        {one_char, tp_SaveGameFile::WRONG_CHECKSUM},
        {"<!--" + signed_text.substr(4, signed_text.find("-->") - 4) + "-->\n\n" + document,
         tp_SaveGameFile::WRONG_CHECKSUM},
        {document, tp_SaveGameFile::NO_CHECKSUM},
        {"<!--" + std::string(64, '1') + "-->\n" + document, tp_SaveGameFile::NO_CHECKSUM},
        {"<!-->", tp_SaveGameFile::NO_CHECKSUM},
        {tp_SaveGameFile::Resign(high.data(), high.size()), tp_SaveGameFile::OK},
        {tp_SaveGameFile::Resign(one_char.data(), one_char.size()), tp_SaveGameFile::OK},
        {tp_SaveGameFile::Sign("<profile><x/></profile>"), tp_SaveGameFile::NO_GAME_DATA},
        {tp_SaveGameFile::Sign("<profile><game_data>"), tp_SaveGameFile::BAD_XML},
    };
    for (const Case& c : cases) {
        tinyxml2::XMLDocument parsed;
        const tinyxml2::XMLElement* data = nullptr;
        EXPECT_EQ(tp_SaveGameFile::Open(c.text.data(), c.text.size(), parsed, &data), c.status)
            << c.text;
    }
}

TEST(SaveGameFileTest, SumWrapsAndPrintsSignedLikeA32BitBuild) {
    // 0x80 bytes add up past 2^31: the line shows a negative number.
    const std::string document(16777217, '\x80'); // 2^31 + 128
    const std::string signed_text = tp_SaveGameFile::Sign(document);
    EXPECT_EQ(signed_text.substr(0, 16), "<!---2147483520-");
    int32_t stored = 0, actual = 1;
    EXPECT_EQ(tp_SaveGameFile::Verify(signed_text.data(), signed_text.size(), &stored, &actual),
              tp_SaveGameFile::OK);
    EXPECT_EQ(stored, actual);
    // A 64-bit build's unsigned print of the same sum is read the same way.
    const std::string unsigned_line = "<!--2147483776-->\n" + document;
    EXPECT_EQ(tp_SaveGameFile::Verify(unsigned_line.data(), unsigned_line.size()),
              tp_SaveGameFile::OK);
}

TEST(SaveGameEntryTest, KeysThatCannotBeNamesAreCarriedInAnAttribute) {
    struct Case {
        tp_SaveGameKey key;
        const char* written;
    };
    const Case cases[] = {
        {tp_SaveGameKey::String("room"), "<s_room"},
        {tp_SaveGameKey::String("2nd_floor"), "<s_2nd_floor"},
        {tp_SaveGameKey::String("0"), "<s_0"},
        {tp_SaveGameKey::String("7"), "<s_ k=\"7\""},
        {tp_SaveGameKey::String("a b<&\"c"), "<s_ k=\"a b&lt;&amp;&quot;c\""},
        {tp_SaveGameKey::String(""), "<s_ k=\"\""},
        {tp_SaveGameKey::String("x:y"), "<s_ k=\"x:y\""},
        {tp_SaveGameKey::Number(12), "<s_12"},
        {tp_SaveGameKey::Number(-3), "<s_-3"},
        {tp_SaveGameKey::Number(1.5), "<s_ kn=\"1.5\""},
        {tp_SaveGameKey::Number(4294967296.0), "<s_ kn=\"4294967296\""},
    };
    for (const Case& c : cases) {
        std::string out;
        tp_SaveGameEntry::AppendOpen(out, 's', c.key);
        EXPECT_EQ(out, c.written);
        out += " v=\"1\"/>";
        tinyxml2::XMLDocument document;
        ASSERT_EQ(document.Parse(out.c_str()), tinyxml2::XML_SUCCESS) << out;
        const tp_SaveGameKey back = tp_SaveGameEntry::ReadKey(*document.RootElement());
        EXPECT_EQ(back.is_number, c.key.is_number) << out;
        EXPECT_EQ(back.number, c.key.number) << out;
        EXPECT_EQ(back.text, c.key.text) << out;
    }
}

TEST(SaveGameEntryTest, NumbersUseTheShortestTextThatReadsBackExactly) {
    const double values[] = {2.5, 0.1, 1.0 / 3.0, 1234567.0, 123456789012345678.0, -0.0, 1e-300};
    const char* shortest[] = {"2.5", "0.1",   "0.3333333333333333", "1234567", "123456789012345680",
                              "-0",  "1e-300"};
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
        std::string out;
        tp_SaveGameEntry::AppendNumber(out, values[i]);
        EXPECT_EQ(out, shortest[i]);
        EXPECT_EQ(std::strtod(out.c_str(), nullptr), values[i]);
    }
}

TEST(SaveGameFuzzTest, RandomBytesNeverCrashEitherParser) {
    tr_Random::Reset();
    const std::string seed = tp_SaveGameFile::Sign(
        "<profile><game_data><data><t_a><n_1 v=\"2\"/></t_a></data></game_data></profile>");
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        if (round % 2 == 0) {
            const int size = tr_Random::Next() % 200;
            for (int i = 0; i < size; ++i)
                bytes += char(tr_Random::Next() & 0xFF);
        } else {
            bytes = seed;
            for (int flips = 1 + tr_Random::Next() % 4; flips > 0; --flips)
                bytes[size_t(tr_Random::Next()) % bytes.size()] = char(tr_Random::Next() & 0xFF);
        }
        tinyxml2::XMLDocument document;
        const tinyxml2::XMLElement* data = nullptr;
        tp_SaveGameFile::Open(bytes.data(), bytes.size(), document, &data);
        tp_ProfileList list;
        list.Parse(bytes.data(), bytes.size());
        EXPECT_TRUE(list.current >= -2 && list.current < int(list.profiles.size()));
    }
}
