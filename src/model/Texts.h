#pragma once

#include <string>

#include "model/Edition.h"

// Every user-visible text of both editions, looked up by name. The tables live in resources/texts/,
// one file per area, each line ZT(Name, "Chinese text", "English text").
enum class TextId {
#define ZT(name, zh, en) name,
#include "resources/texts/all.inc"
#undef ZT
    Count_
};

// UTF-8 text of the current edition.
const char* Tx(TextId id);
const char* TxIn(Edition edition, TextId id);

// printf-style formatting of a text of the table (the formats come from the table, never from input).
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
