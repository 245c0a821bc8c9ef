#include <random>

#include "platform.h"

namespace platform {
namespace {

class SystemRandom final : public RandomSource {
 public:
  // Dropping the top bit keeps every value non-negative as an int32.
  std::int32_t next() override {
    return static_cast<std::int32_t>(engine_() >> 1U);
  }

 private:
  std::mt19937 engine_{static_cast<std::mt19937::result_type>(entropy())};
};

RandomSource* installed = nullptr;

}  // namespace

std::int32_t lrand() {
  if (installed != nullptr) return installed->next();
  static SystemRandom system;
  return system.next();
}

RandomSource* set_random_source(RandomSource* source) {
  RandomSource* previous = installed;
  installed = source;
  return previous;
}

}  // namespace platform
