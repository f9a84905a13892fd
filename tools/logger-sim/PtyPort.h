#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The emulator's end of a pseudo-terminal, linked at a path the client opens as its serial port.
// The emulator keeps a descriptor of the terminal side open itself, so reading never fails while no
// client holds the port and the raw settings survive between the client's opens; the client must
// therefore clear its exclusive lock (TIOCNXCL) before closing. Used by the loop thread only.
class PtyPort {
public:
    PtyPort() = default;
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;
    ~PtyPort();

    // Creates the pseudo-terminal in raw mode and the link; a stale link at the path is replaced.
    bool Open(const std::string& link, std::string* error);
    const std::string& TerminalPath() const { return terminalPath_; }

    // Bytes the client wrote, waiting at most timeoutMs; empty when none came.
    std::vector<uint8_t> Read(int timeoutMs);
    // Writes all bytes unless the client leaves them unread for long; false when some were dropped.
    bool Write(const uint8_t* bytes, size_t count);
    // Removes the link (only if it still names this terminal) and closes both sides.
    void Close();

private:
    int master_ = -1;
    int keeper_ = -1;  // the emulator's own descriptor of the terminal side
    std::string link_;
    std::string terminalPath_;
};
