// What the unit tests and the fuzzer share: scripted random draws, captured
// standard output and the change dialogue's menu.

#ifndef AVTO_TESTS_TEST_SUPPORT_H_
#define AVTO_TESTS_TEST_SUPPORT_H_

#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform.h"

// What the change dialogue writes before it reads the choice.
inline constexpr char kMenu[] =
    "\nChoose changing factor:\n[1] - marka\n[2] - kyzov\n[3] - svet\n"
    "[4] - god\n[5] - sena\n=> ";

// Collects what is written to std::cout while it lives.
class CapturedStdout {
 public:
  CapturedStdout() : previous_(std::cout.rdbuf(text_.rdbuf())) {}
  ~CapturedStdout() { std::cout.rdbuf(previous_); }
  CapturedStdout(const CapturedStdout&) = delete;
  CapturedStdout& operator=(const CapturedStdout&) = delete;

  std::string text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* previous_;
};

// Stands in for the system generator while it lives, handing out the given
// values in order; taking more than were scripted fails the test.
class ScriptedRandom final : public platform::RandomSource {
 public:
  explicit ScriptedRandom(std::vector<std::int32_t> values)
      : values_(std::move(values)),
        previous_(platform::set_random_source(this)) {}
  ~ScriptedRandom() override { platform::set_random_source(previous_); }
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;

  std::int32_t next() override { return values_.at(taken_++); }
  [[nodiscard]] std::size_t taken() const { return taken_; }

 private:
  std::vector<std::int32_t> values_;
  std::size_t taken_ = 0;
  platform::RandomSource* previous_;
};

#endif  // AVTO_TESTS_TEST_SUPPORT_H_
