#include "key_decoder.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using namespace std::string_view_literals;

TEST(KeyDecoderTest, KnowsFromTheBytesAloneWhereTheFirstKeyEnds) {
  struct Case {
    std::string_view bytes;
    std::size_t taken;  // 0: not complete yet, wait for more
  };
  const Case cases[] = {
      {""sv, 0},
      {"q"sv, 1},
      {"qw"sv, 1},
      {"\r"sv, 1},
      {"\x03"sv, 1},
      {"\x7F"sv, 1},
      {"\xC3\xA9"sv, 2},           // é
      {"\xC3"sv, 0},               // é, cut short
      {"\xE2\x82\xAC"sv, 3},       // €
      {"\xE2\x82"sv, 0},           // €, cut short
      {"\xF0\x9F\x9A\x97x"sv, 4},  // a car, then another key
      {"\xC3q"sv, 1},              // a lead byte that gets no continuation
      {"\xA9q"sv, 1},              // a stray continuation byte
      {"\xFF"sv, 1},
      {"\x1B"sv, 0},  // a lone Esc: only time can tell
      {"\x1B[A"sv, 3},
      {"\x1B[Aq"sv, 3},
      {"\x1B["sv, 0},
      {"\x1B[15~"sv, 5},      // F5
      {"\x1B[15"sv, 0},       // F5, cut short
      {"\x1B[1;5C"sv, 6},     // Ctrl+Right
      {"\x1B[ q"sv, 4},       // with an intermediate byte
      {"\x1B[1\x1B[A"sv, 3},  // cut short by the next key: ends before it
      {"\x1BOP"sv, 3},        // F1
      {"\x1BO"sv, 0},
      {"\x1Bx"sv, 2},         // Alt+x
      {"\x1B\xC3\xA9"sv, 3},  // Alt+é
      {"\x1B\xC3"sv, 0},
      {"\x1B\x1B"sv, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(complete_key_length(c.bytes), c.taken)
        << testing::PrintToString(std::string(c.bytes));
  }
}

}  // namespace
