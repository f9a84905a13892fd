#pragma once

// The edition is fixed once by each program's main() before anything else runs; tests switch it
// between cases. Read from any thread, written only while no other thread runs.
enum class Edition { Chinese, English };

void SetEdition(Edition edition);
Edition CurrentEdition();
bool IsChineseEdition();

// Channel slots of the parameter block: 6 in the Chinese edition, 8 in the English edition.
int ChannelCapacity();
int ChannelCapacityOf(Edition edition);
