#pragma once

#include <fstream>
#include <sstream>
#include <string>

// Whole-file text helpers for tests that check files byte for byte.
inline void WriteFileText(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

inline std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
