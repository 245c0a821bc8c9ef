#include "console_views.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>

#include "test_support.h"

namespace {

// A FORD SEDAN in BLUE of 1990 at 3000.
class ConsoleViewsTest : public ::testing::Test {
 protected:
  CapturedStdout notices_;
  ScriptedRandom draws_{{3, 0, 2, 0, 0}};
  avto car_;
};

std::string fields(const avto& car) {
  return car.marka + '/' + car.kyzov + '/' + car.svet + '/' +
         std::to_string(car.god) + '/' + std::to_string(car.sena);
}

TEST_F(ConsoleViewsTest, ShowWritesEveryFieldWhole) {
  struct Case {
    std::string svet;
    std::int32_t god;
    std::int32_t sena;
    std::string expected;
  };
  const std::string long_word(300, 'W');
  const Case cases[] = {
      {"BLUE", 1990, 3000, "\nparam: FORD/SEDAN/BLUE/1990/3000$\n"},
      {"bl\xC3\xA9u", -5, -2147483647 - 1,
       "\nparam: FORD/SEDAN/bl\xC3\xA9u/-5/-2147483648$\n"},
      {long_word, 0, 2147483647,
       "\nparam: FORD/SEDAN/" + long_word + "/0/2147483647$\n"},
  };
  for (const Case& c : cases) {
    car_.svet = c.svet;
    car_.god = c.god;
    car_.sena = c.sena;
    std::ostringstream out;
    show(car_, out);
    EXPECT_EQ(out.str(), c.expected);
    show(car_, out);
    EXPECT_EQ(out.str(), c.expected + c.expected);
  }
}

TEST_F(ConsoleViewsTest, ChangeAnswersEachInputAsTheMenuPromises) {
  struct Case {
    std::string input;
    std::string answer;  // what follows the prompt "=> "
    std::string car;     // the fields afterwards
    std::string unread;  // what is left in the input
  };
  const std::string word(1000, 'Z');
  const Case cases[] = {
      {"1 LADA\n", "old marka = FORD\nnem marka = nem marka = LADA\n",
       "LADA/SEDAN/BLUE/1990/3000", "\n"},
      {"2\nJEEP\n", "old kyzov = SEDAN\nnem kyzov = nem kyzov = JEEP\n",
       "FORD/JEEP/BLUE/1990/3000", "\n"},
      {"3 cyan", "old svet = BLUE\nnem svet = nem svet = cyan\n",
       "FORD/SEDAN/cyan/1990/3000", ""},
      {"4 2024", "old god = 1990\nnem god = nem god = 2024\n",
       "FORD/SEDAN/BLUE/2024/3000", ""},
      {"5 -1\n", "old sena = 3000\nnem sena = nem sena = -1\n",
       "FORD/SEDAN/BLUE/1990/-1", "\n"},
      {"4 0", "old god = 1990\nnem god = nem god = 0\n",
       "FORD/SEDAN/BLUE/0/3000", ""},
      {"5 -2147483648", "old sena = 3000\nnem sena = nem sena = -2147483648\n",
       "FORD/SEDAN/BLUE/1990/-2147483648", ""},
      // Wrong choices read nothing more.
      {"0 LADA", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", " LADA"},
      {"6", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", ""},
      {"42\n", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", "\n"},
      {"-1", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", ""},
      // A choice that cannot be read is a wrong choice.
      {"", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", ""},
      {" \n\n", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", ""},
      {"x1", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", "x1"},
      {"2147483649 X", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", " X"},
      {"-2147483649", "wrong choice\n", "FORD/SEDAN/BLUE/1990/3000", ""},
      // Numbers end at the first character that cannot continue them; words
      // at whitespace. Line ends before either are skipped.
      {"2x", "old kyzov = SEDAN\nnem kyzov = nem kyzov = x\n",
       "FORD/x/BLUE/1990/3000", ""},
      {"3 two words\n", "old svet = BLUE\nnem svet = nem svet = two\n",
       "FORD/SEDAN/two/1990/3000", " words\n"},
      {"\n\n1\n\n\t LADA", "old marka = FORD\nnem marka = nem marka = LADA\n",
       "LADA/SEDAN/BLUE/1990/3000", ""},
      {"4 1999.5", "old god = 1990\nnem god = nem god = 1999\n",
       "FORD/SEDAN/BLUE/1999/3000", ".5"},
      {"1 " + word, "old marka = FORD\nnem marka = nem marka = " + word + "\n",
       word + "/SEDAN/BLUE/1990/3000", ""},
      // A value that cannot be read leaves its field as it was.
      {"1", "old marka = FORD\nnem marka = nem marka = FORD\n",
       "FORD/SEDAN/BLUE/1990/3000", ""},
      {"3 \n ", "old svet = BLUE\nnem svet = nem svet = BLUE\n",
       "FORD/SEDAN/BLUE/1990/3000", ""},
      {"4 abc", "old god = 1990\nnem god = nem god = 1990\n",
       "FORD/SEDAN/BLUE/1990/3000", "abc"},
      {"4", "old god = 1990\nnem god = nem god = 1990\n",
       "FORD/SEDAN/BLUE/1990/3000", ""},
      {"5 2147483648", "old sena = 3000\nnem sena = nem sena = 3000\n",
       "FORD/SEDAN/BLUE/1990/3000", ""},
      {"5 -99999999999", "old sena = 3000\nnem sena = nem sena = 3000\n",
       "FORD/SEDAN/BLUE/1990/3000", ""},
      {"5 -", "old sena = 3000\nnem sena = nem sena = 3000\n",
       "FORD/SEDAN/BLUE/1990/3000", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("input: " + c.input.substr(0, 20));
    car_.marka = "FORD";
    car_.kyzov = "SEDAN";
    car_.svet = "BLUE";
    car_.god = 1990;
    car_.sena = 3000;
    std::istringstream in(c.input);
    std::ostringstream out;
    change(car_, in, out);
    EXPECT_EQ(out.str(), kMenu + c.answer);
    EXPECT_EQ(fields(car_), c.car);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.unread);
  }
}

}  // namespace
