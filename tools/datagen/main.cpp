// vormelda-datagen OUTPUT_FOLDER: writes the game's data files into OUTPUT_FOLDER.
#include <cstdio>
#include <exception>

#include "datagen.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  try {
    vormelda::datagen::GenerateAll(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vormelda-datagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
