#pragma once

#include <string>
#include <vector>

// Profile files ("[Section]" headers and "Key=Value" lines) with the behaviour settings and skin
// files were written for: section and key names compare case-insensitively (ASCII), names and
// values are trimmed of surrounding blanks, the first matching section and key win, and a missing
// file, section or key gives the caller's default. Nothing is reported: an unreadable file reads as
// empty, a failed write returns false and leaves the file as it was.
// Any thread: writes of the process are serialised by one lock; reads take the file as it stands.

// Longest value handed back by ReadProfileString, in bytes.
constexpr size_t kProfileValueMax = 2047;

// The value of section/key, trimmed; a value enclosed in a matching pair of quotes (' or ") loses
// them. Longer values are cut to kProfileValueMax bytes (never inside a UTF-8 sequence).
std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue);

// The value read as a decimal integer: optional blanks, an optional sign, then digits up to the
// first non-digit ("42abc" gives 42). A value with no leading digits ("abc", "-") gives 0, while a
// missing key or an empty value gives the default. Values beyond the int range are clamped.
int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int defaultValue);

// The key names of a section in file order, as spelt in the file (first spelling of each name).
std::vector<std::string> ReadProfileKeys(const std::string& path, const std::string& section);

// Sets section/key to value. Only that key's line changes: an existing line keeps its text up to
// and including '=', a missing key is added after the section's last entry, a missing section is
// added at the end, a missing file is created. Every other byte, line ends included, stays as it
// was; new lines use the file's line end ("\n" for a new file). The file is replaced atomically.
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// WriteProfileString with the value as "%d".
bool WriteProfileInt(const std::string& path, const std::string& section, const std::string& key, int value);
