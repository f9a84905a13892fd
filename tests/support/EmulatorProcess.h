#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The logger emulator (zorva-logger-sim) as a child process on its own pseudo-terminal, linked
// in a fresh temporary folder. One test thread drives it; stop() (or the destructor) ends it.
class EmulatorProcess {
public:
    // binary: the emulator; by default the one built beside the tests (ZORVA_LOGGER_SIM).
    explicit EmulatorProcess(std::string binary = DefaultBinary());
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    // Starts it with "--link <linkPath> --die-with-parent" and the extra arguments, and waits for its
    // "ready" line. False (and nothing left running) when it exits or stays silent for timeoutMs.
    bool start(const std::vector<std::string>& args = {}, int timeoutMs = 10000);
    // Ends it (SIGTERM, then SIGKILL if it lingers) and waits for it; harmless when not running.
    void stop();
    bool running() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The link the client opens as its serial port, and the pseudo-terminal it names.
    const std::string& linkPath() const { return linkPath_; }
    const std::string& terminalPath() const { return terminalPath_; }

    // Points the device context's port at the emulator: comDevices[port] = linkPath, portNumber = port.
    void attachToContext(int port = 7) const;
    // Removes that entry again and resets the port number to 0.
    static void detachFromContext(int port = 7);

    static std::string DefaultBinary();

private:
    std::string binary_;
    std::string folder_;
    std::string linkPath_;
    std::string terminalPath_;
    pid_t pid_ = -1;
};
