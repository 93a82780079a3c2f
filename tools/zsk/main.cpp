#include <iostream>
#include <string>
#include <vector>

#include "tools/zsk/ZskCommands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return zsk::RunZsk(args, std::cout, std::cerr);
}
