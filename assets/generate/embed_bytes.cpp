// Turns files into a C++ source that holds their bytes:
//   embed_bytes OUT.cpp OUT.h NAME=FILE [NAME=FILE ...]
// Each NAME becomes `assets::embedded::NAME`, a std::span over a constant array.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool readFile(const std::string& path, std::vector<unsigned char>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: embed_bytes OUT.cpp OUT.h NAME=FILE...\n";
        return 2;
    }
    std::ofstream source(argv[1]);
    std::ofstream header(argv[2]);
    header << "// Made by embed_bytes; do not edit.\n#pragma once\n#include <cstdint>\n"
              "#include <span>\nnamespace assets::embedded {\n";
    source << "// Made by embed_bytes; do not edit.\n#include \"assets/EmbeddedData.h\"\n"
              "namespace assets::embedded {\nnamespace {\n";
    std::string spans;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        if (eq == std::string::npos) {
            std::cerr << "embed_bytes: expected NAME=FILE, got " << arg << "\n";
            return 2;
        }
        const std::string name = arg.substr(0, eq);
        std::vector<unsigned char> bytes;
        if (!readFile(arg.substr(eq + 1), bytes) || bytes.empty()) {
            std::cerr << "embed_bytes: cannot read " << arg.substr(eq + 1) << "\n";
            return 1;
        }
        source << "const std::uint8_t " << name << "Bytes[] = {";
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            source << (k % 20 == 0 ? "\n" : "") << static_cast<unsigned>(bytes[k]) << ",";
        }
        source << "};\n";
        header << "extern const std::span<const std::uint8_t> " << name << ";\n";
        spans += "const std::span<const std::uint8_t> " + name + "{" + name + "Bytes};\n";
    }
    source << "}  // namespace\n" << spans << "}  // namespace assets::embedded\n";
    header << "}  // namespace assets::embedded\n";
    return source && header ? 0 : 1;
}
