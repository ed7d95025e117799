// Build step: mkcatalogue <catalogue.sql> <DBFN.db>
// Reads the catalogue's SQL text and writes the catalogue file the program reads.
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/catalogue/BuildCatalogue.h"

int main(int argc, char **argv) {
  if (argc != 3) {
    std::cerr << "usage: mkcatalogue <catalogue.sql> <output.db>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "mkcatalogue: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string error;
  if (!catalogue::buildCatalogueFile(text.str(), argv[2], &error)) {
    std::cerr << "mkcatalogue: " << argv[1] << ": " << error << "\n";
    return 1;
  }
  return 0;
}
