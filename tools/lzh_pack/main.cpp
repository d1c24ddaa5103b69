// lzh_pack IN OUT: writes IN as a packed resource (unpacked size + LZH stream).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "LzhEncoder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lzh_pack IN OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "lzh_pack: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    const std::vector<std::uint8_t> packed = reversi::tools::PackResourceBytes(data);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(packed.data()),
              static_cast<std::streamsize>(packed.size()));
    if (!out) {
        std::fprintf(stderr, "lzh_pack: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
