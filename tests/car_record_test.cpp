#include "car_record.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "test_support.h"

namespace {

TEST(CarRecordTest, DrawsEachFieldFromItsCatalogueOrRangeInOrder) {
  struct Case {
    std::vector<std::int32_t> draws;
    const char* marka;
    const char* kyzov;
    const char* svet;
    std::int32_t god;
    std::int32_t sena;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0}, "VAZ", "SEDAN", "RED", 1990, 3000},
      {{4, 4, 4, 10, 17}, "AUDI", "KABRIOLET", "BLACK", 2000, 20000},
      {{1, 2, 3, 4, 5}, "GAZ", "UNIVERSAL", "METALL", 1994, 8000},
      {{8, 5, 7, 11, 18}, "FORD", "SEDAN", "BLUE", 1990, 3000},
      {{2, 1, 1, 9, 16}, "BMW", "HETCHBECK", "GREEN", 1999, 19000},
      {{3, 3, 6, 2, 1}, "FORD", "PIKAP", "GREEN", 1992, 4000},
      {{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
       "BMW",
       "UNIVERSAL",
       "BLUE",
       1991,
       4000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.marka);
    CapturedStdout out;
    ScriptedRandom random(c.draws);
    std::optional<avto> car;
    car.emplace();
    EXPECT_EQ(out.text(), "\nConstructor activated...\n");
    EXPECT_EQ(random.taken(), 5U);
    EXPECT_EQ(car->marka, c.marka);
    EXPECT_EQ(car->kyzov, c.kyzov);
    EXPECT_EQ(car->svet, c.svet);
    EXPECT_EQ(car->god, c.god);
    EXPECT_EQ(car->sena, c.sena);
    car.reset();
    EXPECT_EQ(out.text(),
              "\nConstructor activated...\nDestructor activated...\n");
  }
}

TEST(CarRecordTest, RandomBelowReducesOneDrawByRemainder) {
  struct Case {
    std::int32_t n;
    std::int32_t expected;
    std::vector<std::int32_t> draws;
  };
  const Case cases[] = {
      {0, 0, {}},
      {1, 0, {123}},
      {5, 2, {7}},
      {-5, 2, {7}},
      {18, 17, {17}},
      {INT_MAX, 0, {INT_MAX}},
      {INT_MIN, INT_MAX, {INT_MAX}},
  };
  for (const Case& c : cases) {
    ScriptedRandom random(c.draws);
    EXPECT_EQ(random_below(c.n), c.expected) << "n = " << c.n;
    EXPECT_EQ(random.taken(), c.draws.size()) << "n = " << c.n;
  }
}

}  // namespace
