#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "device/SerialPort.h"
#include "device/SerialPorts.h"
#include "device/Transaction.h"
#include "model/DeviceContext.h"
#include "support/PortHolder.h"
#include "support/PseudoTerminal.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kPort = 7;

int OpenDescriptorCount() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) ++count;
        ::closedir(dir);
    }
    return count;
}

// Waits until the port has queued at least count bytes (the pty needs a moment to pass them on).
int WaitForQueued(CSerialPort& port, int count) {
    for (int i = 0; i < 200 && port.BytesAvailable() < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return port.BytesAvailable();
}

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Valid());
        GetDeviceContext().comDevices[kPort] = pty.SlavePath();
    }
    void TearDown() override { GetDeviceContext().comDevices.erase(kPort); }

    PseudoTerminal pty;
    CSerialPort port;
};

TEST_F(SerialPortTest, ControlBytesPassUntouchedBothWays) {
    ASSERT_TRUE(port.Open(kPort, 115200, 'n', 8, 1));
    EXPECT_EQ(port.PortNumber(), kPort);
    const Bytes bytes{0x0A, 0x0D, 0x11, 0x13, 0x03, 0x00, 0x7F, 0xFF, 0x04, 0x1A, 0x0A};

    EXPECT_EQ(port.Write(bytes.data(), static_cast<int>(bytes.size())), static_cast<int>(bytes.size()));
    EXPECT_EQ(pty.ReadAtDevice(bytes.size() + 8, 100), bytes);  // nothing added either

    ASSERT_TRUE(pty.WriteFromDevice(bytes));
    ASSERT_EQ(WaitForQueued(port, static_cast<int>(bytes.size())), static_cast<int>(bytes.size()));
    Bytes received(bytes.size());
    EXPECT_EQ(port.Read(static_cast<int>(received.size()), received.data()), static_cast<int>(bytes.size()));
    EXPECT_EQ(received, bytes);
    // Nothing was echoed back towards the device.
    EXPECT_TRUE(pty.ReadAtDevice(1, 50).empty());
}

TEST_F(SerialPortTest, ReadTakesOnlyWhatIsQueued) {
    ASSERT_TRUE(port.Open(kPort, 115200, 'n', 8, 1));
    ASSERT_TRUE(pty.WriteFromDevice({1, 2, 3, 4, 5, 6, 7}));
    ASSERT_EQ(WaitForQueued(port, 7), 7);
    Bytes buffer(100, 0xEE);
    EXPECT_EQ(port.Read(100, buffer.data()), 7);
    EXPECT_EQ(buffer[7], 0xEE);
    EXPECT_EQ(port.BytesAvailable(), 0);
    EXPECT_EQ(port.Read(100, buffer.data()), 0);
}

TEST_F(SerialPortTest, OpenMakesTheTtyRawAtTheRequestedSpeed) {
    // A pseudo-terminal keeps 8 bits without parity whatever is asked; speed and stop bits stick.
    const struct {
        int baud, stopBits;
        speed_t speed;
        bool twoStopBits;
    } cases[] = {{115200, 1, B115200, false}, {9600, 2, B9600, true}};
    for (const auto& c : cases) {
        ASSERT_TRUE(port.Open(kPort, c.baud, 'n', 8, c.stopBits));
        termios t{};
        ASSERT_EQ(::tcgetattr(pty.SlaveFd(), &t), 0);
        EXPECT_EQ(::cfgetospeed(&t), c.speed);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStopBits);
        EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        EXPECT_EQ(t.c_iflag & (IXON | ICRNL | INLCR | ISTRIP), 0u);
        port.Close();
    }
}

TEST_F(SerialPortTest, PortIsExclusiveUntilClosed) {
    ASSERT_TRUE(port.Open(kPort, 115200, 'n', 8, 1));
    int exclusive = 0;
    ASSERT_EQ(::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);

    CSerialPort second;
    const int before = OpenDescriptorCount();
    EXPECT_FALSE(second.Open(kPort, 115200, 'n', 8, 1));  // refused even for root
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(OpenDescriptorCount(), before);
    // The refused open left the holder's exclusive mode alone.
    ASSERT_EQ(::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);

    port.Close();
    ASSERT_EQ(::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_TRUE(second.Open(kPort, 115200, 'n', 8, 1));
    second.Close();
    EXPECT_TRUE(port.Open(kPort, 115200, 'n', 8, 1));
}

TEST_F(SerialPortTest, FailedOpensLeaveNoDescriptorAndTouchNoDevice) {
    GetDeviceContext().comDevices[8] = "/nonexistent/ttyZ";
    const int before = OpenDescriptorCount();
    const struct {
        int port, baud, dataBits;
    } cases[] = {{0, 115200, 8}, {257, 115200, 8},  {-1, 115200, 8},
                 {8, 115200, 8}, {kPort, 12345, 8}, {kPort, 115200, 9}};
    for (const auto& c : cases) {
        EXPECT_FALSE(port.Open(c.port, c.baud, 'n', c.dataBits, 1))
            << c.port << " " << c.baud << " " << c.dataBits;
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(OpenDescriptorCount(), before);
    }
    // A refused configuration does not leave the tty in exclusive mode either.
    int exclusive = 1;
    ASSERT_EQ(::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    GetDeviceContext().comDevices.erase(8);
}

TEST_F(SerialPortTest, ClosedPortReadsAndWritesNothing) {
    Bytes buffer(8, 0);
    EXPECT_EQ(port.Write(buffer.data(), 8), 0);
    EXPECT_EQ(port.BytesAvailable(), 0);
    EXPECT_EQ(port.Read(8, buffer.data()), 0);
    port.Close();  // harmless when closed
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialPortTest, TransactionOnAPortHeldByAnotherProcessEndsWithMinusTwo) {
    PortHolder holder(kPort);
    ASSERT_TRUE(holder.Holds());

    DeviceContext& context = GetDeviceContext();
    context.portNumber = kPort;
    const Bytes request{0x3C, 0x00, 0x1D, 0x00, 0x02, 0x5B, 0x3E};
    Bytes reply(7);
    EXPECT_EQ(SendCommand(request.data(), 7, reply.data(), 7), -2);
    EXPECT_TRUE(pty.ReadAtDevice(1, 50).empty());  // nothing was sent

    holder.Release();
}

TEST(SerialPorts, PortNumberFromNameWalksTheDigitsFromTheEnd) {
    const struct {
        const char* name;
        int number;
    } cases[] = {{"COM3", 3}, {"COM12", 12}, {"COM256", 256}, {"COM", 0},           {"", 0},
                 {"COM0", 0}, {"1A", 10},    {"C1O2", 102},   {"COM99999999999", 0}};
    for (const auto& c : cases) EXPECT_EQ(PortNumberFromName(c.name), c.number) << c.name;
}

TEST(SerialPorts, PortNumbersMapToDevicePathsAndSettingsEntriesWin) {
    DeviceContext context;
    context.comDevices[7] = "/dev/serial/by-id/usb-logger";
    context.comDevices[300] = "/dev/ttyS9";
    context.comDevices[40] = "";
    const struct {
        int port;
        const char* path;
    } cases[] = {{1, "/dev/ttyS0"},
                 {9, "/dev/ttyS8"},
                 {32, "/dev/ttyS31"},
                 {33, "/dev/ttyUSB0"},
                 {40, "/dev/ttyUSB7"},
                 {96, "/dev/ttyUSB63"},
                 {97, "/dev/ttyACM0"},
                 {160, "/dev/ttyACM63"},
                 {161, ""},
                 {256, ""},
                 {0, ""},
                 {257, ""},
                 {300, ""},
                 {7, "/dev/serial/by-id/usb-logger"}};
    for (const auto& c : cases) EXPECT_EQ(DevicePathForPort(context, c.port), c.path) << c.port;
}

TEST(SerialPorts, EnumerationListsPresentPortsInAscendingOrder) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.Valid());
    DeviceContext context;
    context.portList = {99, 99};
    context.comDevices[200] = pty.SlavePath();
    context.comDevices[150] = "/nonexistent/ttyZ";
    context.comDevices[1] = "/nonexistent/ttyS0";  // the entry wins over /dev/ttyS0 even when that exists
    EnumerateSerialPorts(context);

    EXPECT_TRUE(std::is_sorted(context.portList.begin(), context.portList.end()));
    EXPECT_EQ(std::count(context.portList.begin(), context.portList.end(), 200), 1);
    EXPECT_EQ(std::count(context.portList.begin(), context.portList.end(), 150), 0);
    EXPECT_EQ(std::count(context.portList.begin(), context.portList.end(), 1), 0);
    EXPECT_EQ(std::count(context.portList.begin(), context.portList.end(), 99), 0);
    for (int port : context.portList) {
        if (port == 200) continue;
        const std::string path = DevicePathForPort(context, port);
        const std::string name = path.substr(path.rfind('/') + 1);
        EXPECT_EQ(::access(("/sys/class/tty/" + name + "/device").c_str(), F_OK), 0) << path;
    }
}

}  // namespace
