// The pull reader of JSON: syntax checked at every step, deep nesting and
// bad text refused with the place where reading stopped.
#include <gtest/gtest.h>

#include <cstring>

#include "mapper/formats/json_reader.h"

namespace {
// Skips the whole text as one value; the error, or empty.
std::string SkipError(const std::string& text)
{
    CJsonReader json(text.data(), text.size());
    try {
        json.Skip();
        json.End();
    } catch (const CJsonError& e) {
        return json.Where(e.m_nOffset) + ": " + e.what();
    }
    return {};
}
}  // namespace

TEST(JsonReader, WalksObjectsArraysAndScalars)
{
    const std::string text = R"( {"a": [1, -2.5e1, true, null, "x\"\u00e9\ud83d\ude00"], "b": {}} )";
    CJsonReader json(text.data(), text.size());
    std::string key;
    json.BeginObject();
    ASSERT_TRUE(json.NextMember(key));
    EXPECT_EQ(key, "a");
    json.BeginArray();
    ASSERT_TRUE(json.NextElement());
    EXPECT_EQ(json.Number().nValue, 1);
    ASSERT_TRUE(json.NextElement());
    const CJsonNumber n = json.Number();
    EXPECT_FALSE(n.bInteger);
    EXPECT_EQ(n.dValue, -25.0);
    std::int64_t whole = 0;
    EXPECT_TRUE(n.Whole(-100, 100, whole));
    EXPECT_EQ(whole, -25);
    ASSERT_TRUE(json.NextElement());
    EXPECT_TRUE(json.Bool());
    ASSERT_TRUE(json.NextElement());
    json.Null();
    ASSERT_TRUE(json.NextElement());
    EXPECT_EQ(json.String(), "x\"\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_FALSE(json.NextElement());
    ASSERT_TRUE(json.NextMember(key));
    EXPECT_EQ(key, "b");
    json.Skip();
    EXPECT_FALSE(json.NextMember(key));
    json.End();
}

TEST(JsonReader, NumbersBeyond64BitsAreNotIntegers)
{
    for (const char* text : {"9223372036854775808", "-9223372036854775809", "1e400"}) {
        CJsonReader json(text, std::strlen(text));
        const CJsonNumber n = json.Number();
        EXPECT_FALSE(n.bInteger) << text;
        std::int64_t v;
        EXPECT_FALSE(n.Whole(INT64_MIN, INT64_MAX, v)) << text;
    }
    CJsonReader json("-9223372036854775808", 20);
    EXPECT_EQ(json.Number().nValue, INT64_MIN);
}

TEST(JsonReader, MalformedTextFailsWithItsPlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {"{\"a\": 1,}", "line 1, column 9: expected a member name"},
        {"[1, 2,]", "expected a value after ','"},
        {"[1 2]", "expected ',' or ']'"},
        {"{\"a\" 1}", "expected ':'"},
        {"{\n  \"a\": tru}", "line 2, column 8: unexpected character 't'"},
        {"\"abc", "the text ends inside a string"},
        {"\"a\tb\"", "a control character inside a string"},
        {"\"\\x\"", "bad escape \\x"},
        {"\"\\ud800\"", "a lone surrogate"},
        {"\"\xC3\"", "text that is not UTF-8"},
        {"\"\xED\xA0\x80\"", "text that is not UTF-8"},  // a surrogate written as UTF-8
        {"\"\xC0\xAF\"", "text that is not UTF-8"},      // an overlong form
        {"01", "more text after the end"},
        {"-", "a malformed number"},
        {"1.", "a malformed number"},
        {"NaN", "unexpected character 'N'"},
        {"[1, 2", "the text ends where"},
        {"", "the text ends where a value should be"},
        {"{} {}", "more text after the end"},
        {"[}", "unexpected character '}'"},
    };
    for (auto [text, message] : cases)
        EXPECT_NE(SkipError(text).find(message), std::string::npos) << text << " -> " << SkipError(text);
    EXPECT_EQ(SkipError(R"({"a": [[{}], {"b": [1, "]"]}]})"), "");
}

// An error message is one line of plain text whatever byte it names: a
// line break or a byte beyond ASCII is shown by its code.
TEST(JsonReader, ABadByteIsNamedByItsCodeInAOneLineMessage)
{
    const std::pair<std::string, const char*> cases[] = {
        {"{\"\\\\\\\n", "bad escape \\\\x0a"},
        {"\"\\\xE9\"", "bad escape \\\\xe9"},
        {"\n\x01", "unexpected character '\\x01'"},
        {"[\x7F]", "unexpected character '\\x7f'"},
    };
    for (const auto& [text, message] : cases) {
        const std::string error = SkipError(text);
        EXPECT_NE(error.find(message), std::string::npos) << error;
        for (char c : error)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << error;
    }
}

TEST(JsonReader, NestingAMillionDeepIsRefusedWithoutRecursion)
{
    const std::string deep = std::string(1000000, '[') + std::string(1000000, ']');
    EXPECT_NE(SkipError(deep).find("nested deeper than 256 levels"), std::string::npos);
    const std::string ok = std::string(200, '[') + std::string(200, ']');
    EXPECT_EQ(SkipError(ok), "");
}
