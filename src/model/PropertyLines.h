#pragma once

#include <string>
#include <vector>

#include "model/DeviceParameters.h"
#include "model/UnitTable.h"

// The property panel's two-level tree as plain data, shared by the window panel and zorva-cli.

struct PropertyLine {
    // Lines the panel rewrites in place while connected (set in mode 1 only).
    enum class Role { None, WorkStatus, RecordCount, RemainingTime };

    std::string text;  // UTF-8, current edition
    Role role = Role::None;
    bool expanded = false;
    std::vector<PropertyLine> children;
};

// Panel modes: labels only, the connected logger's block, the block of downloaded or loaded data.
inline constexpr int kPanelLabels = 0;
inline constexpr int kPanelDevice = 1;
inline constexpr int kPanelHistory = 2;

// The tree of a mode in the current edition. Modes below 1 give the labels only and ignore the
// block; other modes show the block and first rebuild its enabled-channel list (which other parts
// read afterwards). The unit table gains unknown unit codes, shown with an empty unit.
std::vector<PropertyLine> BuildPropertyTree(int mode, DeviceParameters& block, UnitTable& units);

// Single lines rewritten in place on a running connection.
std::string WorkStatusLine(const DeviceParameters& block);
std::string RecordCountLine(const DeviceParameters& block);
std::string RemainingTimeLine(const DeviceParameters& block);

// One line per item in tree order, two spaces of indent per level below the roots, each ended by
// '\n'.
std::string RenderPropertyTree(const std::vector<PropertyLine>& tree);
