// Feeds arbitrary bytes to the change dialogue as its input and compares the
// transcript and the record with an independent reading of the input rules.
// Matching it means: at most one field changed; a changed word field holds
// exactly one whitespace-free word of the input; a number that cannot be
// read changes nothing; and the output is the menu and one of its answers.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "console_views.h"
#include "test_support.h"

namespace {

using Fields = std::array<std::string, 5>;

Fields fields(const avto& car) {
  return {car.marka, car.kyzov, car.svet, std::to_string(car.god),
          std::to_string(car.sena)};
}

// Reads numbers and words the way formatted stream extraction does in the
// classic locale; once a read fails, every later read fails too.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<std::int32_t> number() {
    if (!skip_space()) return std::nullopt;
    const bool negative = text_[at_] == '-';
    if (text_[at_] == '-' || text_[at_] == '+') ++at_;
    std::int64_t value = 0;
    const std::size_t digits = at_;
    for (; at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9';
         ++at_) {
      value = std::min<std::int64_t>(value * 10 + (text_[at_] - '0'),
                                     std::int64_t{1} << 32);
    }
    if (negative) value = -value;
    if (at_ == digits || value < INT32_MIN || value > INT32_MAX) {
      failed_ = true;
      return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
  }

  std::optional<std::string> word() {
    if (!skip_space()) return std::nullopt;
    const std::size_t start = at_;
    while (at_ < text_.size() && !is_space(text_[at_])) ++at_;
    return std::string(text_.substr(start, at_ - start));
  }

 private:
  static bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

  // False when the input is used up or has failed before.
  bool skip_space() {
    while (!failed_ && at_ < text_.size() && is_space(text_[at_])) ++at_;
    failed_ = failed_ || at_ == text_.size();
    return !failed_;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

constexpr const char* kNames[] = {"marka", "kyzov", "svet", "god", "sena"};

// The transcript after the prompt, and the fields, that `input` must give.
std::string expected_answer(std::string_view input, Fields& record) {
  Reader reader(input);
  const std::optional<std::int32_t> choice = reader.number();
  if (!choice || *choice < 1 || *choice > 5) return "wrong choice\n";
  const int index = *choice - 1;
  const std::string name = kNames[index];
  std::string answer = "old " + name + " = " + record[index] + "\nnem " + name +
                       " = nem " + name + " = ";
  if (index < 3) {
    if (auto word = reader.word()) record[index] = *word;
  } else if (auto number = reader.number()) {
    record[index] = std::to_string(*number);
  }
  return answer + record[index] + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // The record's notices are not under test here.
  std::cout.rdbuf(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const ScriptedRandom draws({3, 0, 2, 0, 0});
  avto car;
  Fields expected = fields(car);
  const std::string answer = expected_answer(input, expected);

  std::istringstream in(input);
  std::ostringstream out;
  change(car, in, out);

  if (out.str() != kMenu + answer || fields(car) != expected) {
    (void)std::fprintf(stderr, "expected:\n%s%s\ngot:\n%s\n", kMenu,
                       answer.c_str(), out.str().c_str());
    std::abort();
  }
  return 0;
}
