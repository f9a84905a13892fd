#pragma once

#include <string>
#include <string_view>

// Conversions between UTF-8 (the program's own text) and the code pages of the logger's name
// fields and the exports. Any thread: each thread keeps its own converters.
//
// Decoding never fails: a byte (or an incomplete sequence) that the code page does not define
// becomes U+FFFD, so a damaged name stays visible instead of vanishing or cutting the text short.
// Encoding never fails either: a character the code page cannot hold, or a byte of the input that
// is not UTF-8, becomes '?', the usual stand-in of code-page text.

// The edition's ANSI code page: CP936 (GBK) in the Chinese edition, CP1252 in the English edition.
std::string DecodeAnsi(std::string_view bytes);
std::string EncodeAnsi(std::string_view utf8);

// Code page 936, used by the text and CSV exports of both editions.
std::string DecodeCp936(std::string_view bytes);
std::string EncodeCp936(std::string_view utf8);

// Code page 1252 (the English edition's ANSI code page).
std::string DecodeCp1252(std::string_view bytes);
std::string EncodeCp1252(std::string_view utf8);
