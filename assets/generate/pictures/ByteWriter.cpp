#include "ByteWriter.h"

#include <fstream>

namespace pictures_gen {

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

}  // namespace pictures_gen
