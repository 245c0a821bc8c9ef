// avto: builds one car at random, shows it, lets the user change one of its
// attributes, shows it again and keeps it on screen until a key is pressed.

#include <iostream>

#include "car_record.h"
#include "console_views.h"
#include "platform.h"
#include "write_errors.h"

int main() {
  WriteErrorWatch stdout_errors(std::cout);
  {
    avto car;
    show(car);
    change(car);
    show(car);
    platform::getch();
  }  // The car's destruction notice is the last line of the run.
  int status = stdout_errors.report("avto", std::cerr);
  // Only a word too large for memory leaves standard input bad. Its field
  // kept the old value, but what was typed is lost all the same.
  if (std::cin.bad()) {
    std::cerr << "avto: out of memory reading the new value" << std::endl;
    status = 1;
  }
  return status;
}
