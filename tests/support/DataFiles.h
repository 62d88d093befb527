// The committed test pictures, read whole.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The bytes of tests/data/<name>; empty when the file cannot be read.
inline std::string ReadTestData(const std::string& name) {
    std::ifstream in(std::string(ZARNI_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
