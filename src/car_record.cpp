#include "car_record.h"

#include <iostream>

#include "platform.h"

avto::avto() {
  // The notice reaches the screen before anything is drawn.
  std::cout << std::endl << "Constructor activated..." << std::endl;

  // The catalogues live only as long as the construction that picks from
  // them; the record keeps copies of its picks.
  const std::string brands[] = {"VAZ", "GAZ", "BMW", "FORD", "AUDI"};
  const std::string bodies[] = {"SEDAN", "HETCHBECK", "UNIVERSAL", "PIKAP",
                                "KABRIOLET"};
  const std::string colours[] = {"RED", "GREEN", "BLUE", "METALL", "BLACK"};

  marka = brands[random_below(5)];
  kyzov = bodies[random_below(5)];
  svet = colours[random_below(5)];
  god = random_below(11) + 1990;
  sena = random_below(18) * 1000 + 3000;
}

avto::~avto() { std::cout << "Destructor activated..." << std::endl; }

std::int32_t random_below(std::int32_t n) {
  // The source only yields non-negative values, so the remainder is always
  // in [0, |n|) and never overflows.
  return n == 0 ? 0 : platform::lrand() % n;
}
