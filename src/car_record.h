// The car record `avto`: one car drawn at random from fixed catalogues, which
// announces its construction and destruction on standard output.

#ifndef AVTO_CAR_RECORD_H_
#define AVTO_CAR_RECORD_H_

#include <cstdint>
#include <string>

// A plain record whose fields the console views read and write directly.
// There is one per run, so it can be neither copied nor assigned.
class avto {
 public:
  // Writes an empty line and "Constructor activated...", then draws brand,
  // body, colour, year and price, in that order, one random_below each.
  avto();
  // Writes "Destructor activated...".
  ~avto();

  avto(const avto&) = delete;
  avto& operator=(const avto&) = delete;

  std::string marka;      // brand
  std::string kyzov;      // body type
  std::string svet;       // colour
  std::int32_t god = 0;   // year of make
  std::int32_t sena = 0;  // price in dollars
};

// Returns 0 for n == 0 without drawing; otherwise one value from the
// platform's random source, reduced by remainder.
std::int32_t random_below(std::int32_t n);

#endif  // AVTO_CAR_RECORD_H_
