#include "support/EmulatorProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "model/DeviceContext.h"

namespace {
int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

std::string EmulatorProcess::DefaultBinary() {
#ifdef ZORVA_LOGGER_SIM
    return ZORVA_LOGGER_SIM;
#else
    return "zorva-logger-sim";
#endif
}

EmulatorProcess::EmulatorProcess(std::string binary) : binary_(std::move(binary)) {
    char folder[] = "/tmp/zorva-sim-XXXXXX";
    if (::mkdtemp(folder) != nullptr) {
        folder_ = folder;
        linkPath_ = folder_ + "/ttyZ";
    }
}

EmulatorProcess::~EmulatorProcess() {
    stop();
    if (!folder_.empty()) {
        ::unlink(linkPath_.c_str());
        ::rmdir(folder_.c_str());
    }
}

bool EmulatorProcess::start(const std::vector<std::string>& args, int timeoutMs) {
    stop();
    if (folder_.empty()) return false;
    int out[2];
    if (::pipe(out) != 0) return false;
    std::vector<std::string> words{binary_, "--link", linkPath_, "--die-with-parent"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0) {
        ::close(out[0]);
        ::close(out[1]);
        return false;
    }
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    pid_ = child;

    // Wait for "ready LINK TERMINAL\n".
    std::string line;
    const int64_t deadline = NowMs() + timeoutMs;
    bool ready = false;
    while (!ready) {
        const int64_t left = deadline - NowMs();
        if (left <= 0) break;
        pollfd waiting{out[0], POLLIN, 0};
        if (::poll(&waiting, 1, static_cast<int>(left)) <= 0) break;
        char c;
        if (::read(out[0], &c, 1) != 1) break;
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line.rfind("ready ", 0) == 0) {
            terminalPath_ = line.substr(line.rfind(' ') + 1);
            ready = true;
        }
        line.clear();
    }
    ::close(out[0]);  // later output goes nowhere; the emulator prints nothing more on stdout
    if (!ready) stop();
    return ready;
}

void EmulatorProcess::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const int64_t deadline = NowMs() + 3000;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (NowMs() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
    terminalPath_.clear();
}

void EmulatorProcess::attachToContext(int port) const {
    DeviceContext& context = GetDeviceContext();
    context.comDevices[port] = linkPath_;
    context.portNumber = port;
}

void EmulatorProcess::detachFromContext(int port) {
    DeviceContext& context = GetDeviceContext();
    context.comDevices.erase(port);
    context.portNumber = 0;
}
