#include "model/Edition.h"

#include <atomic>

namespace {
std::atomic<Edition> g_edition{Edition::Chinese};
}

void SetEdition(Edition edition) { g_edition.store(edition); }
Edition CurrentEdition() { return g_edition.load(); }
bool IsChineseEdition() { return CurrentEdition() == Edition::Chinese; }
int ChannelCapacityOf(Edition edition) { return edition == Edition::Chinese ? 6 : 8; }
int ChannelCapacity() { return ChannelCapacityOf(CurrentEdition()); }
