// zorva-logger-sim: answers the logger's command set on a pseudo-terminal (see --help).

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include "CommandLine.h"
#include "FaultInjector.h"
#include "LoggerDevice.h"
#include "PtyPort.h"
#include "RequestParser.h"
#include "SimText.h"

namespace {
std::atomic<bool> g_stop{false};

void OnSignal(int) {
    g_stop.store(true);
}

int64_t MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void PauseMs(unsigned ms) {
    const int64_t until = MonotonicMs() + ms;
    while (!g_stop.load() && MonotonicMs() < until) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void SendReply(PtyPort& port, const FaultSetup& faults, const std::vector<uint8_t>& reply) {
    if (faults.delayMs) PauseMs(faults.delayMs);
    const size_t piece = faults.fragmentSize ? faults.fragmentSize : reply.size();
    for (size_t done = 0; done < reply.size() && !g_stop.load(); done += piece) {
        if (done > 0 && faults.fragmentPauseMs) PauseMs(faults.fragmentPauseMs);
        const size_t n = std::min(piece, reply.size() - done);
        if (!port.Write(reply.data() + done, n)) {
            std::fprintf(stderr, "logger-sim: reply not taken by the client, %zu bytes dropped\n",
                         reply.size() - done);
            return;
        }
    }
}
}  // namespace

int main(int argc, char** argv) {
    SimConfig config = DefaultSimConfig();
    std::string error;
    switch (CommandLine::Parse(argc, argv, config, &error)) {
        case CommandLine::Outcome::Help:
            std::fputs(CommandLine::HelpText(), stdout);
            return 0;
        case CommandLine::Outcome::Error:
            std::fprintf(stderr, "zorva-logger-sim: %s\n", error.c_str());
            return 2;
        case CommandLine::Outcome::Run:
            break;
    }
    if (config.dieWithParent) {
        // Compare with the parent seen before the request: the parent may itself be process 1 in a container.
        const pid_t parent = getppid();
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) return 0;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;  // no SA_RESTART: poll returns at once and the loop ends
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    PtyPort port;
    if (!port.Open(config.link, &error)) {
        std::fprintf(stderr, "zorva-logger-sim: %s\n", error.c_str());
        return 1;
    }
    LoggerDevice device(config, static_cast<int64_t>(std::time(nullptr)));
    FaultInjector faults(config.faults);
    RequestParser parser;
    if (config.verbose)
        std::fprintf(stderr, "logger-sim: %zu records, %zu per page, %zu pages\n", device.StoredRecords(),
                     device.RecordsPerPage(), device.PageCount());
    std::printf("ready %s %s\n", config.link.c_str(), port.TerminalPath().c_str());
    std::fflush(stdout);

    size_t rejectedSeen = 0;
    while (!g_stop.load()) {
        const std::vector<uint8_t> input = port.Read(10);
        const int64_t nowMs = MonotonicMs();
        if (!input.empty()) {
            parser.Feed(input.data(), input.size(), nowMs);
        } else {
            parser.Expire(nowMs);
        }
        while (auto request = parser.Next()) {
            const uint8_t command = (*request)[2];
            if (!faults.ShouldAnswer(command)) {
                if (config.verbose)
                    std::fprintf(stderr, "logger-sim: %s [%s] ignored\n",
                                 LoggerDevice::CommandName(command).c_str(),
                                 HexDump(request->data(), request->size()).c_str());
                continue;
            }
            std::vector<uint8_t> reply = device.Answer(*request);
            const char* spoilt = faults.Spoil(command, reply);
            if (config.verbose)
                std::fprintf(stderr, "logger-sim: %s [%s] -> %zu bytes [%s]%s%s\n",
                             LoggerDevice::CommandName(command).c_str(),
                             HexDump(request->data(), request->size()).c_str(), reply.size(),
                             HexDump(reply.data(), reply.size(), 16).c_str(), *spoilt ? " spoilt: " : "",
                             spoilt);
            SendReply(port, faults.Setup(), reply);
        }
        if (config.verbose && parser.Rejected() != rejectedSeen)
            std::fprintf(stderr, "logger-sim: %zu malformed request frame(s) ignored\n",
                         parser.Rejected() - rejectedSeen);
        rejectedSeen = parser.Rejected();
        device.Tick();
    }
    port.Close();
    return 0;
}
