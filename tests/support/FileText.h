#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// The lines of a text whose every line ends in CR LF (a last line without one is not counted).
inline std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    return lines;
}
