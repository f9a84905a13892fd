#pragma once

#include <string>

#include "model/Edition.h"

// Channel type code to name: 28 names in the Chinese edition, 24 in the English edition.
int ChannelTypeCount(Edition edition);
// The name (UTF-8) of a type code in the current edition; a code beyond the table gives "".
std::string ChannelTypeName(int code);
std::string ChannelTypeNameIn(Edition edition, int code);
