// The logger emulator on its pseudo-terminal, exercised with raw frames the way the client uses the port:
// open, exclusive, raw, purge, write, read, release, close, for every exchange.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

Bytes Request(uint8_t command, const Bytes& payload = {}) {
    const size_t length = payload.size() + 2;
    Bytes f{0x3C, 0x00, command, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    f.insert(f.end(), payload.begin(), payload.end());
    uint8_t sum = 0;
    for (uint8_t b : f) sum = static_cast<uint8_t>(sum + b);
    f.push_back(sum);
    f.push_back(0x3E);
    return f;
}

bool Accepted(const Bytes& r, uint8_t command) {
    if (r.size() < 7 || r.front() != 0x28 || r.back() != 0x29 || r[2] != command) return false;
    uint8_t sum = 0;
    for (size_t i = 0; i + 2 < r.size(); ++i) sum = static_cast<uint8_t>(sum + r[i]);
    return sum == r[r.size() - 2] && static_cast<size_t>(r[3] * 256 + r[4] + 5) == r.size();
}

int Be16(const Bytes& b, size_t at) {
    return static_cast<int16_t>((b[at] << 8) | b[at + 1]);
}

// One emulator process linked at a fresh path; ended with SIGTERM.
class Sim {
public:
    explicit Sim(std::vector<std::string> options) {
        char dir[] = "/tmp/zorva-sim-XXXXXX";
        dir_ = mkdtemp(dir);
        link_ = dir_ + "/port";
        options.insert(options.begin(), {ZORVA_LOGGER_SIM, "--link", link_, "--die-with-parent"});
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            std::vector<char*> argv;
            for (std::string& o : options) argv.push_back(o.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        FILE* in = fdopen(out[0], "r");
        char line[512] = {};
        if (in && std::fgets(line, sizeof line, in)) ready_ = line;
        if (in) std::fclose(in);
    }
    ~Sim() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        unlink(link_.c_str());
        rmdir(dir_.c_str());
    }
    bool Ready() const { return ready_.rfind("ready " + link_ + " /dev/pts/", 0) == 0; }
    const std::string& Link() const { return link_; }

    // Sends raw bytes (in pieces if asked) and collects what comes back until the announced length is in
    // or the line stays quiet for 700 ms.
    Bytes Exchange(const std::vector<Bytes>& pieces) const {
        const int fd = open(link_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) return {0xEE};
        ioctl(fd, TIOCEXCL);
        termios tio{};
        tcgetattr(fd, &tio);
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
        tcflush(fd, TCIOFLUSH);
        for (const Bytes& piece : pieces) {
            if (write(fd, piece.data(), piece.size()) != static_cast<ssize_t>(piece.size())) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        Bytes reply;
        uint8_t buffer[1024];
        pollfd pfd{fd, POLLIN, 0};
        while (reply.size() < 5 || reply.size() < static_cast<size_t>(reply[3] * 256 + reply[4] + 5)) {
            if (poll(&pfd, 1, 700) <= 0) break;
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) break;
            reply.insert(reply.end(), buffer, buffer + n);
        }
        ioctl(fd, TIOCNXCL);
        close(fd);
        return reply;
    }
    Bytes Exchange(const Bytes& request) const { return Exchange(std::vector<Bytes>{request}); }

private:
    std::string dir_;
    std::string link_;
    std::string ready_;
    pid_t pid_ = -1;
};

// "环境监测实验室" in code page 936.
const Bytes kUserName = {0xBB, 0xB7, 0xBE, 0xB3, 0xBC, 0xE0, 0xB2, 0xE2, 0xCA, 0xB5, 0xD1, 0xE9, 0xCA, 0xD2};
}  // namespace

TEST(LoggerSimTest, ConnectSequenceRepliesHaveTheTableLengthsAndDefaultState) {
    Sim sim({});
    ASSERT_TRUE(sim.Ready());
    const Bytes params = sim.Exchange(Request(0x01));
    ASSERT_EQ(params.size(), 113u);
    ASSERT_TRUE(Accepted(params, 0x01));
    EXPECT_EQ(Bytes(params.begin() + 5, params.begin() + 5 + kUserName.size()), kUserName);
    EXPECT_EQ(params[5 + 14], 0) << "name is NUL-terminated";
    EXPECT_EQ(params[5 + 74], 0x0B);
    EXPECT_EQ(params[5 + 69] << 24 | params[5 + 70] << 16 | params[5 + 71] << 8 | params[5 + 72], 60);
    EXPECT_EQ(params[5 + 101] * 256 + params[5 + 102], 1500);

    struct Expected {
        uint8_t channel, type, unit;
    };
    for (const Expected& e : {Expected{1, 1, 1}, Expected{2, 2, 4}, Expected{4, 5, 8}}) {
        const Bytes ch = sim.Exchange(Request(0x02, {e.channel}));
        ASSERT_EQ(ch.size(), 26u) << int(e.channel);
        ASSERT_TRUE(Accepted(ch, 0x02));
        EXPECT_EQ(ch[6], e.type);
        EXPECT_EQ(ch[7], e.unit);
        EXPECT_LT(Be16(ch, 10), Be16(ch, 12)) << "range lower below upper";
        EXPECT_LT(Be16(ch, 20), Be16(ch, 22)) << "alarm lower below upper";
    }
    const Bytes info = sim.Exchange(Request(0x06));
    ASSERT_EQ(info.size(), 31u);
    EXPECT_EQ(std::string(info.begin() + 5, info.begin() + 22), "ZR-TH3000A1B2C3D4");
    EXPECT_EQ(info[25] << 24 | info[26] << 16 | info[27] << 8 | info[28], 60000);
    const Bytes live = sim.Exchange(Request(0x05, {0x00}));
    EXPECT_EQ(live.size(), 2u * 3 + 12);
    EXPECT_TRUE(Accepted(live, 0x05));
}

TEST(LoggerSimTest, HistoryPagesCarryWholeRecordsWithGapNoValueAndImpossibleDate) {
    Sim sim({});
    ASSERT_TRUE(sim.Ready());
    const Bytes count = sim.Exchange(Request(0x19));
    ASSERT_EQ(count.size(), 9u);
    const int pages = count[5] * 256 + count[6];
    ASSERT_GT(pages, 1);
    std::vector<Bytes> records;
    for (int p = 1; p <= pages; ++p) {
        const Bytes page =
            sim.Exchange(Request(0x1A, {static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)}));
        ASSERT_TRUE(Accepted(page, 0x1A)) << "page " << p;
        ASSERT_LE(page.size(), 600u);
        const size_t region = page.size() - 10;  // header, two leading bytes, trailing byte, checksum, end
        ASSERT_EQ(region % 12, 0u) << "page " << p << " ends inside a record";
        for (size_t at = 7; at < page.size() - 3; at += 12)
            records.emplace_back(page.begin() + at, page.begin() + at + 12);
    }
    ASSERT_EQ(records.size(), 1500u);
    std::vector<size_t> badDates, noValue, steps;
    for (size_t i = 0; i < records.size(); ++i) {
        const Bytes& r = records[i];
        if (r[0] < 1 || r[0] > 33) badDates.push_back(i);
        for (size_t c = 0; c < 3; ++c)
            if (r[6 + 2 * c] == 0x80 && r[7 + 2 * c] == 0x01) noValue.push_back(i);
        if (i > 0 && r[0] == records[i - 1][0]) {
            const int minutes = (r[2] * 24 + r[3]) * 60 + r[4];
            const Bytes& q = records[i - 1];
            if (minutes - ((q[2] * 24 + q[3]) * 60 + q[4]) != 1) steps.push_back(i);
        }
    }
    EXPECT_EQ(badDates, std::vector<size_t>{1200});
    EXPECT_EQ(noValue, (std::vector<size_t>{300, 301, 302, 303, 304, 1000}));
    EXPECT_EQ(steps, std::vector<size_t>{701});
}

TEST(LoggerSimTest, ControlBytesPassTheLineBothWays) {
    Sim sim({});
    ASSERT_TRUE(sim.Ready());
    Bytes names(60, 0);
    const Bytes control = {0x11, 0x13, 0x0A, 0x0D, 0x03, 0x0A, 0x0D, 0x7F, 0x1A, 0x04};
    std::copy(control.begin(), control.end(), names.begin());
    std::copy(control.begin(), control.end(), names.begin() + 30);
    ASSERT_TRUE(Accepted(sim.Exchange(Request(0x11, names)), 0x11));
    const Bytes params = sim.Exchange(Request(0x01));
    ASSERT_TRUE(Accepted(params, 0x01));
    EXPECT_EQ(Bytes(params.begin() + 5, params.begin() + 65), names);
}

TEST(LoggerSimTest, MalformedRequestsGetNoReplyAndPiecesAreAssembled) {
    Sim sim({});
    ASSERT_TRUE(sim.Ready());
    Bytes badSum = Request(0x06);
    badSum[5] ^= 1;
    Bytes badEnd = Request(0x06);
    badEnd.back() = 0x29;
    EXPECT_TRUE(sim.Exchange(badSum).empty());
    EXPECT_TRUE(sim.Exchange(badEnd).empty());
    const Bytes good = Request(0x02, {0x02});
    EXPECT_TRUE(Accepted(
        sim.Exchange({Bytes(good.begin(), good.begin() + 2), Bytes(good.begin() + 2, good.begin() + 5),
                      Bytes(good.begin() + 5, good.end())}),
        0x02));
    Bytes noise = {0x3C, 0x00, 0x3C, 0x13, 0x11};
    noise.insert(noise.end(), good.begin(), good.end());
    EXPECT_TRUE(Accepted(sim.Exchange(noise), 0x02));
    const Bytes refused = sim.Exchange(Request(0x02, {9}));
    EXPECT_EQ(refused.size(), 7u);
    EXPECT_EQ(refused[2], 0x82) << "a channel the logger lacks is refused with bit 7";
}

TEST(LoggerSimTest, FaultSwitchesSpoilOnlyTheChosenReplies) {
    struct Case {
        const char* option;
        const char* value;
        uint8_t command;  // what the first reply to ReadDeviceInfo carries
        bool checksumOk;
        bool firstSilent;
    };
    const Case cases[] = {
        {"--bad-checksum-to", "06", 0x06, false, false},
        {"--wrong-command-to", "06", 0x46, true, false},
        {"--bit7-to", "06", 0x86, true, false},
        {"--no-reply-to", "06:1", 0x06, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        Sim sim({c.option, c.value});
        ASSERT_TRUE(sim.Ready());
        const Bytes first = sim.Exchange(Request(0x06));
        if (c.firstSilent) {
            EXPECT_TRUE(first.empty());
        } else {
            ASSERT_EQ(first.size(), 31u);
            EXPECT_EQ(first[2], c.command);
            uint8_t sum = 0;
            for (size_t i = 0; i + 2 < first.size(); ++i) sum = static_cast<uint8_t>(sum + first[i]);
            EXPECT_EQ(sum == first[29], c.checksumOk);
        }
        EXPECT_TRUE(Accepted(sim.Exchange(Request(0x01)), 0x01)) << "other commands stay sound";
        if (c.firstSilent) {
            EXPECT_TRUE(Accepted(sim.Exchange(Request(0x06)), 0x06)) << "only the first is lost";
        }
    }
}

TEST(LoggerSimTest, WritesChangeChannelsAndStartStopRestartsTheHistory) {
    Sim sim({});
    ASSERT_TRUE(sim.Ready());
    // Channel 1: alarm on, -10.0 .. 35.0; channels 2 and 4 off.
    const Bytes alarms = {1, 0xFF, 0x9C, 0x01, 0x5E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(Accepted(sim.Exchange(Request(0x1F, alarms)), 0x1F));
    EXPECT_EQ(sim.Exchange(Request(0x1F, {1, 0, 0, 0, 0}))[2], 0x9F)
        << "alarms for too few channels are refused";
    const Bytes fahrenheit = sim.Exchange(Request(0x23, {0xAA}));
    ASSERT_EQ(fahrenheit.size(), 8u);
    const Bytes ch1 = sim.Exchange(Request(0x02, {1}));
    EXPECT_EQ(ch1[7], 32) << "temperature channel switches to ℉";
    EXPECT_EQ(Be16(ch1, 20), 140);
    EXPECT_EQ(Be16(ch1, 22), 950);
    EXPECT_EQ(sim.Exchange(Request(0x02, {2}))[18], 0) << "channel 2 alarm switched off";

    ASSERT_TRUE(Accepted(sim.Exchange(Request(0x1E)), 0x1E));
    Bytes params = sim.Exchange(Request(0x01));
    EXPECT_EQ(params[5 + 64], 1);
    EXPECT_EQ(params[5 + 102], 1) << "a fresh recording holds its first record";
    EXPECT_EQ(sim.Exchange(Request(0x19))[6], 1);
    ASSERT_TRUE(Accepted(sim.Exchange(Request(0x1D)), 0x1D));
    params = sim.Exchange(Request(0x01));
    EXPECT_EQ(params[5 + 64], 0);
    EXPECT_EQ(params[5 + 67], 4);
}

TEST(LoggerSimTest, ScenarioFileSetsNamesMaskAndExplicitRecords) {
    char path[] = "/tmp/zorva-scenario-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path)
        << "[device]\nuser_name = 环境监测实验室\nmask = 0x05\n"
           "[history]\nrecord = 2026-03-26 10:00:00 12 ERR\nrecord_hex = 22 03 1A 0A 01 00 FF 9C 80 00\n";
    Sim sim({"--scenario", path, "--page-bytes", "100"});
    ASSERT_TRUE(sim.Ready());
    const Bytes params = sim.Exchange(Request(0x01));
    ASSERT_TRUE(Accepted(params, 0x01));
    EXPECT_EQ(Bytes(params.begin() + 5, params.begin() + 5 + kUserName.size()), kUserName);
    EXPECT_EQ(params[5 + 74], 0x05);
    const Bytes page = sim.Exchange(Request(0x1A, {0, 1}));
    const Bytes expected = {0x1A, 0x03, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0C, 0x80, 0x01,
                            0x22, 0x03, 0x1A, 0x0A, 0x01, 0x00, 0xFF, 0x9C, 0x80, 0x00};
    ASSERT_EQ(page.size(), expected.size() + 10);
    EXPECT_EQ(Bytes(page.begin() + 7, page.end() - 3), expected);
    unlink(path);
}
