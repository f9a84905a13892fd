#pragma once

#include <cstdint>
#include <functional>

class SerialTransport;

// Request/reply transactions with retries over the process-wide serial port, with the serial
// settings and retry count read from the device context at the start of each transaction.
// Results: 0 (SendCommand) or the reply length (SendCommandVar) on success; -1 a null or unusable
// buffer; -2 the port cannot be opened (no retry); -3 no valid reply within the retries, or cancelled.
// Both block the calling thread; callers never run two at once. CancelTransaction may come from
// any thread.

// Waits for a reply of exactly replyLength bytes (200 ms after writing before the first read).
int SendCommand(const uint8_t* request, int requestLength, uint8_t* reply, int replyLength);
// Takes the reply's total length from its own header; waitMs is the pause before the first read.
// A header announcing more than capacity bytes fails the attempt.
int SendCommandVar(int waitMs, const uint8_t* request, int requestLength, uint8_t* reply, int capacity);
// Clears the run flag: the running transaction ends with -3 at its next check.
void CancelTransaction();

// Test seams: route transactions through another transport, and replace the pause (milliseconds).
// nullptr / an empty function restore the real port and real sleeps. Set only while no transaction runs.
void SetTransactionTransport(SerialTransport* transport);
void SetTransactionSleep(std::function<void(int)> sleep);
