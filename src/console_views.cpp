#include "console_views.h"

#include <cstdint>
#include <string>
#include <utility>

namespace {

// One row of the menu; exactly one of the two member pointers is set.
struct Attribute {
  const char* name;
  std::string avto::*word;
  std::int32_t avto::*number;
};

constexpr Attribute kAttributes[] = {
    {"marka", &avto::marka, nullptr}, {"kyzov", &avto::kyzov, nullptr},
    {"svet", &avto::svet, nullptr},   {"god", nullptr, &avto::god},
    {"sena", nullptr, &avto::sena},
};
constexpr std::int32_t kAttributeCount =
    sizeof(kAttributes) / sizeof(kAttributes[0]);

void write_value(const avto& car, const Attribute& attribute,
                 std::ostream& out) {
  if (attribute.word != nullptr) {
    out << car.*attribute.word;
  } else {
    out << car.*attribute.number;
  }
}

void read_value(avto& car, const Attribute& attribute, std::istream& in) {
  if (attribute.word != nullptr) {
    // Read aside: a word too large for memory leaves the stream bad with
    // only its first part taken, and that part must not pass for the word.
    // A read that takes no character fails too and changes nothing.
    std::string word;
    if (in >> word) car.*attribute.word = std::move(word);
    return;
  }
  // A failed number read would store 0 or a clamped extreme; the old value
  // is worth more than either.
  std::int32_t number = 0;
  if (in >> number) car.*attribute.number = number;
}

}  // namespace

void show(const avto& car, std::ostream& out) {
  out << std::endl
      << "param: " << car.marka << '/' << car.kyzov << '/' << car.svet << '/'
      << car.god << '/' << car.sena << '$' << std::endl;
}

void change(avto& car, std::istream& in, std::ostream& out) {
  out << std::endl << "Choose changing factor:" << std::endl;
  for (std::int32_t i = 0; i < kAttributeCount; ++i) {
    out << '[' << i + 1 << "] - " << kAttributes[i].name << std::endl;
  }
  out << "=> ";

  std::int32_t choice = 0;
  if (!(in >> choice) || choice < 1 || choice > kAttributeCount) {
    out << "wrong choice" << std::endl;
    return;
  }
  const Attribute& attribute = kAttributes[choice - 1];

  out << "old " << attribute.name << " = ";
  write_value(car, attribute, out);
  out << std::endl << "nem " << attribute.name << " = ";
  read_value(car, attribute, in);
  out << "nem " << attribute.name << " = ";
  write_value(car, attribute, out);
  out << std::endl;
}
