#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "model/CodePage.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "support/EditionScope.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";


TEST(CodePage, Cp936EncodesAndDecodesBothWays) {
    struct Case {
        const char *utf8, *cp936;
    } cases[] = {
        {"环境监测", "\xBB\xB7\xBE\xB3\xBC\xE0\xB2\xE2"},
        {"℃", "\xA1\xE6"},
        {"，", "\xA3\xAC"},
        {"：", "\xA3\xBA"},
        {"T1 25.0℃", "T1 25.0\xA1\xE6"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeCp936(c.utf8), c.cp936) << c.utf8;
        EXPECT_EQ(DecodeCp936(c.cp936), c.utf8) << c.utf8;
    }
}

TEST(CodePage, UndefinedBytesDecodeToReplacementAndTheRestSurvives) {
    struct Case {
        std::string bytes, utf8;
    } cases[] = {
        {"A\xFF"
         "B",
         "A" + kReplacement + "B"},                        // 0xFF starts nothing in GBK
        {"\xBB\xB7\x81", "环" + kReplacement},             // lead byte cut off at the end
        {"\x81\x20x", kReplacement + " x"},                // lead byte with an impossible trail
        {std::string("a\0b", 3), std::string("a\0b", 3)},  // NUL is a character, not an end
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeCp936(c.bytes), c.utf8);
    EXPECT_EQ(DecodeCp1252("x\x81y\x8D"), "x" + kReplacement + "y" + kReplacement);
}

TEST(CodePage, UnrepresentableCharactersEncodeAsQuestionMark) {
    EXPECT_EQ(EncodeCp936("a\xF0\x9F\x98\x80"
                          "b"),
              "a?b");  // emoji: not in GBK
    EXPECT_EQ(EncodeCp1252("温度 °C"),
              "?? \xB0"
              "C");
    EXPECT_EQ(EncodeCp936("ok\xC3"), "ok?");  // truncated UTF-8 input
    EXPECT_EQ(EncodeCp936("\xFF\xFE"
                          "z"),
              "??z");  // bytes that are not UTF-8 at all
}

TEST(CodePage, AnsiFollowsTheEdition) {
    {
        EditionScope english(Edition::English);
        EXPECT_EQ(DecodeAnsi("caf\xE9"), "café");
        EXPECT_EQ(EncodeAnsi("café €"), "caf\xE9 \x80");
    }
    EXPECT_EQ(DecodeAnsi("\xBB\xB7\xBE\xB3"), "环境");
    EXPECT_EQ(DecodeAnsi("caf\xE9"), "caf" + kReplacement);  // a lone GBK lead byte
    EXPECT_EQ(EncodeAnsi("环境"), "\xBB\xB7\xBE\xB3");
}

TEST(CodePage, ThreadsConvertIndependently) {
    // Converters keep shift state; a shared one would mix the streams of two threads.
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 2000; ++i) {
                const bool ok = (t % 2 == 0) ? DecodeCp936("\xBB\xB7\xBE\xB3\x81") == "环境" + kReplacement
                                             : EncodeCp1252("caf\xC3\xA9") == "caf\xE9";
                if (!ok) ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
