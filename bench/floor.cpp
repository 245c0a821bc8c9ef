// The floor avto is measured against: the same stream reads and writes as a
// run that changes the colour, with no logic of its own.

#include <iostream>
#include <string>

int main() {
  std::string svet = "BLUE";
  std::cout << std::endl << "Constructor activated..." << std::endl;
  std::cout << std::endl
            << "param: "
            << "FORD" << '/' << "SEDAN" << '/' << svet << '/' << 1990 << '/'
            << 3000 << '$' << std::endl;
  std::cout << std::endl
            << "Choose changing factor:" << std::endl
            << "[1] - marka" << std::endl
            << "[2] - kyzov" << std::endl
            << "[3] - svet" << std::endl
            << "[4] - god" << std::endl
            << "[5] - sena" << std::endl
            << "=> ";
  int choice = 0;
  std::cin >> choice;
  std::cout << "old svet = " << svet << std::endl << "nem svet = ";
  std::cin >> svet;
  std::cout << "nem svet = " << svet << std::endl;
  std::cout << std::endl
            << "param: "
            << "FORD" << '/' << "SEDAN" << '/' << svet << '/' << 1990 << '/'
            << 3000 << '$' << std::endl;
  std::cout << "Destructor activated..." << std::endl;
  return choice == 3 ? 0 : 1;
}
