#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Request frames (PC to logger): 3C 00 cmd L(2, big-endian) payload checksum 3E, L = payload + 2.
// Reply frames (logger to PC): 28 x cmd L(2) data checksum 29. Pure byte functions, any thread.
constexpr uint8_t kRequestStart = 0x3C;
constexpr uint8_t kRequestEnd = 0x3E;
constexpr uint8_t kReplyStart = 0x28;
constexpr uint8_t kReplyEnd = 0x29;

// 8-bit sum of the first count bytes.
uint8_t FrameChecksum(const uint8_t* bytes, size_t count);

std::vector<uint8_t> CommandFrame(uint8_t command, const std::vector<uint8_t>& payload = {});
std::vector<uint8_t> ReplyFrame(uint8_t command, const std::vector<uint8_t>& data = {}, uint8_t byte1 = 0);

// A reply of n bytes is accepted for a command: delimiters, command echo, checksum, bit 7 clear.
bool IsValidReply(const uint8_t* reply, size_t n, uint8_t command);

// The announced total length (L + 5) of a frame whose first five bytes are given.
size_t FrameTotalLength(const uint8_t* header);
