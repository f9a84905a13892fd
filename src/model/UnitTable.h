#pragma once

#include <map>
#include <mutex>
#include <string>

// Unit code to unit text. Looked up from the window thread and the download worker at once:
// every access takes the table's own lock.
class UnitTable {
public:
    UnitTable();
    // The unit text (UTF-8); an unknown code yields the empty text and is added with it.
    std::string Lookup(int code);
    bool Contains(int code) const;
    size_t Size() const;

private:
    mutable std::mutex mutex_;
    std::map<int, std::string> units_;
};
