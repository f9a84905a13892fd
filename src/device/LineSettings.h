#pragma once

#include <termios.h>

// Turns a termios record into the port's line settings: raw bytes (no echo, no translation, no
// flow control, no signals), receiver on, modem lines ignored, reads that never wait, and the
// baud rate, parity character (E/O/M/S in either case, else none), data bits (5-8) and stop bits
// (2, else 1) of the call. False for a baud rate or data-bit count the port cannot take.
bool ApplyLineSettings(termios& settings, int baudRate, char parity, int dataBits, int stopBits);
