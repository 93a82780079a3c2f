#include <gtest/gtest.h>

#include "toolkit/core/StringList.h"
#include "toolkit/core/SysUtils.h"

namespace {

TEST(StringList, NameValueLinesAreFoundByNameIgnoringCaseFirstMatchWins) {
  tk::TStringList list;
  list.Add("SKIN2_FORMCOLOR=13160660");
  list.Add("plain line");
  list.Add("skin2_formcolor=7");
  list.Add("SKIN2_TEXT=a=b");
  EXPECT_EQ(list.IndexOfName("Skin2_FormColor"), 0);
  EXPECT_EQ(list.Values("SKIN2_FORMCOLOR"), "13160660");
  EXPECT_EQ(list.Values("SKIN2_TEXT"), "a=b");
  EXPECT_EQ(list.Values("plain line"), "");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.IndexOf("PLAIN LINE"), 1);
  EXPECT_EQ(list.Names(3), "SKIN2_TEXT");
  list.Delete(0);
  EXPECT_EQ(list.Values("SKIN2_FORMCOLOR"), "7");
}

TEST(SysUtils, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(tk::UpperCase("skindata.sk2\xE4"), "SKINDATA.SK2\xE4");
  EXPECT_TRUE(tk::SameText("Abc", "aBC"));
  EXPECT_FALSE(tk::SameText("\xE4", "\xC4"));
  EXPECT_LT(tk::CompareText("abc", "ABD"), 0);
  EXPECT_GT(tk::CompareText("abcd", "ABC"), 0);
}

TEST(SysUtils, StrToIntDefAcceptsOnlyDecimal32BitIntegers) {
  struct Case {
    const char* text;
    std::int32_t expected;
  };
  const Case cases[] = {{"0", 0},
                        {"-1", -1},
                        {"+42", 42},
                        {"2147483647", INT32_MAX},
                        {"-2147483648", INT32_MIN},
                        {"2147483648", -99},
                        {"", -99},
                        {"-", -99},
                        {"12x", -99},
                        {" 1", -99},
                        {"0x10", -99}};
  for (const Case& c : cases) EXPECT_EQ(tk::StrToIntDef(c.text, -99), c.expected) << c.text;
}

}  // namespace
