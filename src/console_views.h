// The two console operations on a car record: its one-line display and the
// dialogue that changes one of its attributes.

#ifndef AVTO_CONSOLE_VIEWS_H_
#define AVTO_CONSOLE_VIEWS_H_

#include <iostream>

#include "car_record.h"

// Writes an empty line, then "param: " and the five fields joined by '/',
// with '$' after the price.
void show(const avto& car, std::ostream& out = std::cout);

// Offers a menu of the five attributes, reads a choice and, for 1 to 5,
// shows the current value, reads a new one into that field and shows what
// the field then holds. Any other choice, or one that cannot be read, is
// answered with "wrong choice" and reads nothing more. A number that cannot
// be read leaves its field as it was, and so does a word too large for
// memory, which leaves `in` bad for the caller to report.
void change(avto& car, std::istream& in = std::cin,
            std::ostream& out = std::cout);

#endif  // AVTO_CONSOLE_VIEWS_H_
