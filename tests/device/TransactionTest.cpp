#include <gtest/gtest.h>

#include <vector>

#include "device/Frame.h"
#include "device/Transaction.h"
#include "model/DeviceContext.h"
#include "support/FakeSerialPort.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kStopRequest{0x3C, 0x00, 0x1D, 0x00, 0x02, 0x5B, 0x3E};
const Bytes kStopReply{0x28, 0x00, 0x1D, 0x00, 0x02, 0x47, 0x29};

class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeviceContext& context = GetDeviceContext();
        context.portNumber = 4;
        context.baudRate = 115200;
        context.retryCount = 3;
    }
    void TearDown() override { GetDeviceContext().retryCount = 3; }

    int Send(const Bytes& request, int replyLength) {
        reply.assign(static_cast<size_t>(replyLength), 0xEE);
        return SendCommand(request.data(), static_cast<int>(request.size()), reply.data(), replyLength);
    }
    int SendVar(const Bytes& request, int capacity, int waitMs = 0) {
        reply.assign(static_cast<size_t>(capacity), 0xEE);
        return SendCommandVar(waitMs, request.data(), static_cast<int>(request.size()), reply.data(),
                              capacity);
    }
    // Sleeps of one attempt that got nothing: the first-read wait and R empty polls.
    static std::vector<int> SilentAttempt(int firstWait) { return {firstWait, 100, 100, 100}; }

    FakeSerialPort port;
    ScopedFakeTransport scope{port};
    Bytes reply;
};

TEST_F(TransactionTest, StopRecordReplyIsAcceptedAtOnce) {
    port.SetResponder(FakeSerialPort::Always(kStopReply));
    EXPECT_EQ(Send(kStopRequest, 7), 0);
    EXPECT_EQ(reply, kStopReply);
    EXPECT_EQ(port.requests, std::vector<Bytes>{kStopRequest});
    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(port.lastPort, 4);
    EXPECT_EQ(port.lastBaudRate, 115200);
    EXPECT_EQ(port.sleeps, std::vector<int>{200});
}

TEST_F(TransactionTest, ReplyInPiecesIsAssembledWithAPauseAfterEachPartialRead) {
    // Pieces of 2, 3 and 2 bytes, 50 ms apart: read 2, pause 50, read 3, pause 50, read the rest.
    port.SetResponder(FakeSerialPort::InPieces(kStopReply, {2, 3}, 200, 50));
    EXPECT_EQ(Send(kStopRequest, 7), 0);
    EXPECT_EQ(reply, kStopReply);
    EXPECT_EQ(port.sleeps, (std::vector<int>{200, 50, 50}));
    EXPECT_EQ(port.opens, 1);
}

TEST_F(TransactionTest, EmptyPollsCountOverTheWholeAttemptEvenWhenDataArrives) {
    // Three empty polls spread between pieces end the attempt although bytes keep coming.
    port.SetResponder([](const Bytes&) {
        return std::vector<FakeSerialPort::Arrival>{
            {300, {0x28, 0x00}}, {450, {0x1D}}, {600, {0x00, 0x02, 0x47, 0x29}}};
    });
    EXPECT_EQ(Send(kStopRequest, 7), -3);
    EXPECT_EQ(port.opens, 3);
}

struct RejectedReply {
    const char* name;
    Bytes reply;
};

TEST_F(TransactionTest, RejectedReplyFailsAfterRetriesEachOpeningAndClosingThePort) {
    Bytes offByOne = kStopReply;
    offByOne[5] += 1;
    Bytes wrongCommand = ReplyFrame(0x1E);
    Bytes refused = ReplyFrame(0x9D);
    Bytes noEnd = kStopReply;
    noEnd[6] = 0x3E;
    const RejectedReply cases[] = {
        {"checksum off by one", offByOne},         {"other command byte", wrongCommand},
        {"bit 7 of the command set", refused},     {"wrong end character", noEnd},
        {"short reply", {0x28, 0x00, 0x1D, 0x00}},
    };
    for (const auto& c : cases) {
        FakeSerialPort fresh(FakeSerialPort::Always(c.reply));
        ScopedFakeTransport freshScope(fresh);
        Bytes buffer(7);
        EXPECT_EQ(SendCommand(kStopRequest.data(), 7, buffer.data(), 7), -3) << c.name;
        EXPECT_EQ(fresh.opens, 3) << c.name;
        EXPECT_EQ(fresh.closes, 3) << c.name;
        EXPECT_EQ(fresh.requests.size(), 3u) << c.name;
        EXPECT_FALSE(fresh.IsOpen()) << c.name;
    }
}

TEST_F(TransactionTest, SilentDeviceEndsEachAttemptAfterItsEmptyPolls) {
    EXPECT_EQ(Send(kStopRequest, 7), -3);
    std::vector<int> expected;
    for (int i = 0; i < 3; ++i) {
        const auto attempt = SilentAttempt(200);
        expected.insert(expected.end(), attempt.begin(), attempt.end());
    }
    EXPECT_EQ(port.sleeps, expected);
    EXPECT_EQ(port.closes, 3);
}

TEST_F(TransactionTest, PortThatWillNotOpenEndsAtOnceWithMinusTwo) {
    port.openFails = true;
    EXPECT_EQ(Send(kStopRequest, 7), -2);
    EXPECT_EQ(SendVar(kStopRequest, 600), -2);
    EXPECT_EQ(port.opens, 2);  // one try per transaction
    EXPECT_TRUE(port.requests.empty());
    EXPECT_TRUE(port.sleeps.empty());
}

TEST_F(TransactionTest, ShortWriteFailsTheAttemptWithoutWaitingForAReply) {
    port.SetResponder(FakeSerialPort::Always(kStopReply));
    port.shortWriteBy = 1;
    EXPECT_EQ(Send(kStopRequest, 7), -3);
    EXPECT_EQ(port.opens, 3);
    EXPECT_EQ(port.closes, 3);
    EXPECT_TRUE(port.sleeps.empty());
}

TEST_F(TransactionTest, UnusableArgumentsGiveMinusOneAndStillRearmTheRunFlag) {
    Bytes buffer(7);
    port.RunFlag() = 0;
    EXPECT_EQ(SendCommand(nullptr, 7, buffer.data(), 7), -1);
    EXPECT_EQ(port.RunFlag().load(), 1);
    EXPECT_EQ(SendCommand(kStopRequest.data(), 7, nullptr, 7), -1);
    EXPECT_EQ(SendCommandVar(0, nullptr, 7, buffer.data(), 7), -1);
    EXPECT_EQ(SendCommandVar(0, kStopRequest.data(), 7, nullptr, 600), -1);
    EXPECT_EQ(port.opens, 0);
}

TEST_F(TransactionTest, ZeroRetriesFailWithoutOpeningThePort) {
    GetDeviceContext().retryCount = 0;
    port.SetResponder(FakeSerialPort::Always(kStopReply));
    EXPECT_EQ(Send(kStopRequest, 7), -3);
    EXPECT_EQ(SendVar(kStopRequest, 600), -3);
    EXPECT_EQ(port.opens, 0);
}

TEST_F(TransactionTest, RetryCountIsReadFromTheContext) {
    GetDeviceContext().retryCount = 5;
    EXPECT_EQ(Send(kStopRequest, 7), -3);
    EXPECT_EQ(port.opens, 5);
    // Five empty polls per attempt as well.
    EXPECT_EQ(port.sleeps.size(), 5u * 6u);
}

TEST_F(TransactionTest, FailedAttemptIsFollowedByASuccessfulOne) {
    int calls = 0;
    port.SetResponder([&calls](const Bytes&) {
        Bytes answer = kStopReply;
        if (calls++ == 0) answer[5] ^= 0x01;
        return std::vector<FakeSerialPort::Arrival>{{0, answer}};
    });
    EXPECT_EQ(Send(kStopRequest, 7), 0);
    EXPECT_EQ(reply, kStopReply);
    EXPECT_EQ(port.opens, 2);
}

TEST_F(TransactionTest, CancelWhileTheLastBytesAreReadGivesMinusThreeDespiteAValidReply) {
    port.SetResponder(FakeSerialPort::Always(kStopReply));
    port.onRead = [] { CancelTransaction(); };
    EXPECT_EQ(Send(kStopRequest, 7), -3);
    EXPECT_EQ(reply, kStopReply);
    EXPECT_EQ(port.opens, 1);
}

TEST_F(TransactionTest, CancelBeforeATransactionIsUndoneByItsStart) {
    port.SetResponder(FakeSerialPort::Always(kStopReply));
    CancelTransaction();
    EXPECT_EQ(port.RunFlag().load(), 0);
    EXPECT_EQ(Send(kStopRequest, 7), 0);
}

TEST_F(TransactionTest, VariableReplyTakesItsLengthFromTheHeader) {
    // Two bytes beyond the announced total arrive in the same read and are ignored.
    Bytes arriving = kStopReply;
    arriving.push_back(0x28);
    arriving.push_back(0x00);
    port.SetResponder(FakeSerialPort::Always(arriving));
    EXPECT_EQ(SendVar(kStopRequest, 600, 40), 7);
    EXPECT_TRUE(std::equal(kStopReply.begin(), kStopReply.end(), reply.begin()));
    EXPECT_EQ(port.sleeps, (std::vector<int>{40, 50}));
}

TEST_F(TransactionTest, VariableReplyHeaderAndBodyArriveInPieces) {
    Bytes data(300);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
    const Bytes page = ReplyFrame(0x1D, data);
    port.SetResponder([page](const Bytes&) {
        return std::vector<FakeSerialPort::Arrival>{{0, Bytes(page.begin(), page.begin() + 3)},
                                                    {50, Bytes(page.begin() + 3, page.begin() + 100)},
                                                    {150, Bytes(page.begin() + 100, page.end())}};
    });
    EXPECT_EQ(SendVar(kStopRequest, 600), static_cast<int>(page.size()));
    EXPECT_TRUE(std::equal(page.begin(), page.end(), reply.begin()));
}

TEST_F(TransactionTest, VariableReplyWithAnImpossibleLengthFailsTheAttempt) {
    port.SetResponder(FakeSerialPort::Always(ReplyFrame(0x1D, Bytes(40, 0x11))));
    EXPECT_EQ(SendVar(kStopRequest, 47), 47);  // exactly the capacity fits

    const struct {
        const char* name;
        Bytes reply;
        int capacity;
    } cases[] = {
        {"longer than the capacity", ReplyFrame(0x1D, Bytes(40, 0x11)), 46},
        // Length 1 makes the length byte its own checksum; the frame would otherwise pass.
        {"length field below 2", {0x28, 0xBC, 0x1D, 0x00, 0x01, 0x29}, 600},
    };
    for (const auto& c : cases) {
        FakeSerialPort fresh(FakeSerialPort::Always(c.reply));
        ScopedFakeTransport freshScope(fresh);
        Bytes buffer(static_cast<size_t>(c.capacity));
        EXPECT_EQ(SendCommandVar(0, kStopRequest.data(), 7, buffer.data(), c.capacity), -3) << c.name;
        EXPECT_EQ(fresh.opens, 3) << c.name;
        EXPECT_EQ(fresh.closes, 3) << c.name;
    }
}

TEST_F(TransactionTest, VariableReplyWithoutAHeaderFails) {
    port.SetResponder(FakeSerialPort::Always({0x28, 0x00, 0x1D}));
    EXPECT_EQ(SendVar(kStopRequest, 600), -3);
    EXPECT_EQ(port.opens, 3);
}

TEST_F(TransactionTest, CancelDuringAPageTransferEndsWithinOnePollInterval) {
    // The header comes, then the body trickles in; the user cancels part-way.
    const Bytes page = ReplyFrame(0x1D, Bytes(500, 0x42));
    port.SetResponder([page](const Bytes&) {
        std::vector<FakeSerialPort::Arrival> arrivals;
        for (size_t at = 0, k = 0; at < page.size(); at += 20, ++k) {
            const size_t end = std::min(page.size(), at + 20);
            arrivals.push_back({static_cast<int>(k) * 50, Bytes(page.begin() + at, page.begin() + end)});
        }
        return arrivals;
    });
    int cancelledAt = -1;
    port.onSleep = [&cancelledAt](int now) {
        if (cancelledAt < 0 && now >= 400) {
            cancelledAt = now;
            CancelTransaction();
        }
    };
    EXPECT_EQ(SendVar(kStopRequest, 600), -3);
    ASSERT_GE(cancelledAt, 0);
    EXPECT_LE(port.nowMs - cancelledAt, 100);
    EXPECT_EQ(port.opens, 1);
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
