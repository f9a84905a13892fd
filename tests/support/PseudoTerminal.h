#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A pseudo-terminal pair for tests: the slave stands in for a serial device, the master for the
// logger. The slave descriptor stays open (as the emulator keeps one) so the tty lives between opens.
// The line settings are the system's defaults (echo, canonical input): whoever opens the slave must
// make it raw.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool Valid() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }
    int MasterFd() const { return master_; }
    int SlaveFd() const { return slave_; }

    // Writes bytes from the logger's side.
    bool WriteFromDevice(const std::vector<uint8_t>& bytes);
    // Reads up to count bytes that reached the logger's side, waiting at most timeoutMs in all.
    std::vector<uint8_t> ReadAtDevice(size_t count, int timeoutMs);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};
