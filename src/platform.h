// What the program takes from the operating system: pseudo-random values and
// one key press from the console. The random source can be replaced, so tests
// can script the draws.

#ifndef AVTO_PLATFORM_H_
#define AVTO_PLATFORM_H_

#include <cstdint>

namespace platform {

// A supply of non-negative pseudo-random values.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual std::int32_t next() = 0;
};

// One non-negative value from the installed source or, when none is
// installed, from the system generator. The system generator takes its state
// from the operating system on first use, so every run draws afresh; the
// program itself never seeds anything.
std::int32_t lrand();

// Makes `source` the one lrand() draws from (nullptr brings back the system
// generator) and returns the source it replaces. The caller keeps ownership.
RandomSource* set_random_source(RandomSource* source);

// Unpredictable bits from the operating system, for the system generator.
std::uint64_t entropy();

// Waits for one key press on the console, without echo and without Enter,
// and returns its first byte. A key that sends several bytes is taken whole.
// Without a console it returns -1 at once rather than wait for nothing.
int getch();

}  // namespace platform

#endif  // AVTO_PLATFORM_H_
