// Works the bear-off table out once and writes it to the file the game and lumaro-cli read at their
// first race, so that no run of either spends the better part of a second on it.
//   lumaro-bearoff FILE
#include <cstdio>
#include <string>

#include "ai/BearoffDatabase.h"
#include "files/FileBytes.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumaro-bearoff FILE\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = lumaro::BearoffDatabase::build().toBytes();
    std::string whyNot;
    if (!lumaro::writeFileAtomically(argv[1], bytes, &whyNot)) {
        std::fprintf(stderr, "lumaro-bearoff: cannot write %s: %s\n", argv[1], whyNot.c_str());
        return 1;
    }
    return 0;
}
