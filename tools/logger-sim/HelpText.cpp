#include "CommandLine.h"

const char* CommandLine::HelpText() {
    return R"(zorva-logger-sim: a multi-channel data logger on a pseudo-terminal.

Usage: zorva-logger-sim --link PATH [--scenario FILE] [options]

Creates a pseudo-terminal in raw mode, links it at PATH (a stale symbolic link there is
replaced; the link is removed on exit, SIGTERM and SIGINT) and prints one line
  ready PATH /dev/pts/N
on stdout when requests are answered. The client may open and close the port for every
exchange. The emulator keeps its own descriptor of the terminal open, so a client that sets
TIOCEXCL must clear it (TIOCNXCL) before closing. Requests arrive as 3C 00 cmd L(2) payload
sum 3E and may come in pieces; a frame with a wrong checksum or end byte gets no reply. A
request the logger cannot carry out (unknown command, wrong payload size, bad value) gets a
7-byte reply with bit 7 of the command byte set. Replies are written only after a request.

Options
  --link PATH              where to link the pseudo-terminal (required)
  --scenario FILE          load a scenario (below) before the other options
  --set SECTION.KEY=VALUE  any scenario key, e.g. --set "channel 2.alarm=-50 300"
  --records N              history size                      (history.count)
  --history-start T|now    first record "YYYY-MM-DD hh:mm:ss", or now: the history ends
                           at start-up                        (history.start)
  --plain-history          no gaps, no-value samples or bad dates (history.defects=none)
  --mask HEX               channel mask, e.g. 0B               (device.mask)
  --capacity N             storage capacity in records        (device.capacity)
  --interval S             record interval in seconds         (device.interval)
  --clock T                the logger's clock at start-up     (device.clock)
  --live                   add records as time passes from start-up (device.live)
  --pages-empty            pages carry no records             (faults.pages_empty)
  --page-count N           report N pages whatever is stored  (faults.page_count)
  --page-bytes N           largest page reply, default 600    (faults.page_bytes)
  --verbose, -v            log each request and reply to stderr
  --die-with-parent        exit when the starting process ends (Linux PR_SET_PDEATHSIG)
  --help, -h               this text

Fault switches (CMD is a command code in hex such as 1A; ":COUNT" limits a fault to the first
COUNT requests of that command, otherwise it hits every one; requests are counted from 1)
  --no-reply-every N       ignore every Nth request (N, 2N, ...)
  --no-reply-to CMD[:COUNT]     ignore requests of a command (the logger does not act on them)
  --bad-checksum           every reply's checksum is off by one
  --bad-checksum-to CMD[:COUNT]
  --wrong-command          replies carry another command byte (cmd XOR 40, checksum right)
  --wrong-command-to CMD[:COUNT]
  --bit7                   replies carry bit 7 in the command byte (checksum right)
  --bit7-to CMD[:COUNT]
  --fragment SIZE:PAUSE_MS send replies in pieces of SIZE bytes with pauses between them
  --delay MS               wait before each reply
  --stop-after N           answer the first N requests only, then stay silent
Spoiled replies are still acted on (the logger did the work, the line spoilt the answer);
ignored requests are not. Switches may be repeated for several commands.

Commands answered (reply lengths): 01 ReadParameters 113, 02 ReadChannel 26,
05 ReadRealtimeValues 2n+12, 06 ReadDeviceInfo 31, 11 WriteNames 7, 13 SetClock 7,
14 WriteStartMode 7, 15 WriteStopMode 7, 16 WriteRecordInterval 7, 19 ReadHistoryPageCount 9,
1A ReadHistoryPage variable (at most --page-bytes), 1D StopRecord 7, 1E StartRecord 7,
1F WriteAlarms 7, 20 WriteDisplayRefresh 7, 21 WriteRecordMode 7, 23 WriteTemperatureType 8.

Behaviour
  SetClock sets the logger's clock (kept as an offset to the PC clock). StartRecord clears the
  history, sets work status 1, stop cause 0, start time = now and takes a record at once and then
  one per record interval (timed start mode 2 with a future start time waits: work status 0,
  stop cause 5). StopRecord: work status 0, stop cause 4, no more records. While recording,
  stop mode 1 stops at the capacity (cause 2), 2 at the timed stop (cause 3), 3 drops the oldest
  record beyond the capacity, 4 stops at the stop count (cause 6). WriteTemperatureType 170
  turns unit 1 (℃) channels into unit 32 (℉) with their ranges and alarm limits converted;
  17 turns them back. WriteAlarms takes 5 bytes per enabled channel. ReadRealtimeValues gives
  the current curve values and the record count. The record count is the number of stored
  records (a scenario may fix it). Pages hold as many whole records as fit in --page-bytes:
  28 00 1A L(2), page number (2 bytes), records of 6 date bytes + 2 bytes per enabled channel,
  the number of records in the page (1 byte), sum, 29. Page numbers start at 1; a page past
  the end has no records.

Default state
  user name "环境监测实验室", title "冷库温湿度记录" (code page 936), record mode 1, work
  status 1, start mode 1, stop mode 1, stop cause 0, display refresh 0x80, interval 60 s,
  mask 0x0B (channels 1, 2, 4), timed start 2026-03-05 08:00:00, timed stop
  2026-03-31 18:00:00, stop count 10000, temperature type 17, model "ZR-TH3000", serial
  "A1B2C3D4", spare bytes 00 01, firmware 23 (2.3), capacity 60000.
  Channels (type/unit, range, alarm enabled, alarm limits, in tenths):
    1 temperature 1/1 ℃   -400..1250  on  -100..350     5 DC voltage 6/11 V  0..300  off
    2 humidity    2/4 %RH    0..1000  on   300..900     6 CO2 13/16 PPM  0..20000   on
    3 temperature 1/1 ℃   -400..1250  off -100..350     7 DC current 8/14 mA 40..200 off
    4 pressure    5/8 KPa  800..1200  off  950..1050    8 noise 17/22 dB 300..1300  off
  History: 1500 records from 2026-03-02 08:00:00 (local time) at 60 s; after record 700 the
  clock jumps 2 hours (a break point); channel 2 has no value (80 01) in records 300-304 and
  channel 4 in record 1000; record 1200 has the impossible year byte 34 (a client drops it, so
  it decodes 1499 records and sees a second break point where it was). 49 records per page,
  31 pages. The history only grows after StartRecord (or with --live).

Scenario file: lines "key = value" under [device], [channel N] (N = 1..8), [history] and
[faults]; '#' or ';' starts a comment; keys before any section belong to [device]. Numbers are
decimal or 0x-hex; limits and values are tenths; times are "YYYY-MM-DD hh:mm:ss" local time.
  [device]  user_name, title (UTF-8 text, written in `encoding`, default CP936; use CP1252
            for an English logger), user_name_hex, title_hex (raw bytes), encoding,
            record_mode, work_status, start_mode, stop_mode, stop_cause, display_refresh,
            interval, mask (hex), start_time, timed_start, timed_stop, stop_count,
            record_count, temperature_type, model, serial, info_spare (2 hex bytes),
            firmware, capacity, live (0/1), clock
  [channel N] type, unit, range = LOW HIGH, alarm_enabled, alarm = LOW HIGH,
            curve = BASE [AMPLITUDE [PERIOD_S [NOISE]]], live_invalid (0/1)
  [history] count, start (time or now), interval (0 = device interval),
            gap = AFTER_INDEX SECONDS, invalid = CHANNEL FIRST_INDEX [COUNT],
            bad_date = INDEX   (each repeatable; the first one replaces the defaults),
            defects = none     (no gaps, no-value samples, bad dates),
            record = YYYY-MM-DD hh:mm:ss V1 V2 ... (tenths per enabled channel, ERR = 80 01),
            record_hex = 6 date bytes then 2 bytes per enabled channel
            (record lines replace the generated history)
  [faults]  no_reply_every, no_reply_to, bad_checksum (all or a count), bad_checksum_to,
            wrong_command, wrong_command_to, bit7, bit7_to, fragment = SIZE:PAUSE_MS,
            delay, stop_after, page_count, page_bytes, pages_empty (0/1)
Example:
  [device]
  user_name = 冷链车 3 号
  mask = 0x05
  [channel 3]
  type = 2
  unit = 4
  range = 0 1000
  [history]
  count = 0
  [faults]
  bad_checksum_to = 19:1
)";
}
