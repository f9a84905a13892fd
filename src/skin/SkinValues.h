#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Key names and value readers of the skin files. Every skin key string lives here; bars and
// dialogs use these constants instead of spelling keys themselves. GUI thread only.
namespace SkinKey {
inline constexpr const char* kMainSettings = "MainSettings";
inline constexpr const char* kMainButtons = "MainButtons";
inline constexpr const char* kInfoBox = "InfoBox";
inline constexpr const char* kExpandPoint = "ExpandPoint";
inline constexpr const char* kDialogFrame = "DialogFrame";

inline constexpr const char* kBackImageUp = "BackImage_Up";
inline constexpr const char* kBackImageOver = "BackImage_Over";
inline constexpr const char* kBackImageDown = "BackImage_Down";
inline constexpr const char* kBackImageDisable = "BackImage_Disable";
inline constexpr const char* kBackground = "Background";
inline constexpr const char* kButtonImage = "ButtonImage";
inline constexpr const char* kMainWindowSize = "MainWindow_Size";
inline constexpr const char* kExpandPointPos = "ExpandPoint_Pos";

// Popup frame (public_config.ini).
inline constexpr const char* kBorder = "Border";
inline constexpr const char* kRoundSize = "RoundSize";
inline constexpr const char* kTitlePosition = "Title_Position";
inline constexpr const char* kCloseDistance = "Close_Distance";
inline constexpr const char* kClosePosition = "Close_Position";
inline constexpr const char* kCloseUp = "Close_Up";
inline constexpr const char* kCloseOver = "Close_Over";
inline constexpr const char* kCloseDown = "Close_Down";
inline constexpr const char* kCloseDisable = "Close_Disable";

// Suffixes appended to a control's name ("Close" + "_Position").
inline constexpr const char* kIsVisible = "_IsVisible";
inline constexpr const char* kPosition = "_Position";
inline constexpr const char* kUp = "_Up";
inline constexpr const char* kOver = "_Over";
inline constexpr const char* kDown = "_Down";
inline constexpr const char* kDisable = "_Disable";
inline constexpr const char* kText = "_Text";
inline constexpr const char* kTextColor = "_TextColor";
inline constexpr const char* kTipText = "_TipText";
inline constexpr const char* kBackColor = "_BackColor";
inline constexpr const char* kBackValide = "_BackValide";

// Skin file names, relative to the skin folder.
inline constexpr const char* kTitleBarFile = "/TitleBar_config.ini";
inline constexpr const char* kBottomFile = "/Bottom_config.ini";
inline constexpr const char* kLeftBarFile = "/LeftBar_config.ini";
inline constexpr const char* kRightBarFile = "/RightBar_config.ini";
inline constexpr const char* kPropertyTitleFile = "/Property_TitleBar_config.ini";
inline constexpr const char* kPublicFile = "public_config.ini";
}  // namespace SkinKey

// Longest value kept from a skin key (longer values are cut), and the shorter limit of BackImage_Up.
inline constexpr int kSkinValueMax = 127;
inline constexpr int kSkinBackImageUpMax = 63;

// Raw text of a key: missing key -> empty, cut to maxLength characters.
QString ReadSkinText(const QString& iniPath, const QString& section, const QString& key,
                     int maxLength = kSkinValueMax);

// Up to count comma-separated integers; missing or non-numeric parts read as 0.
QList<int> ParseSkinInts(const QString& value, int count);

// "left, top, right, bottom" -> QRect(left, top, right - left, bottom - top). Missing or short
// values count as zeros, so a missing key gives an empty rectangle at (0, 0).
QRect ParseSkinRect(const QString& value);
QRect ReadSkinRect(const QString& iniPath, const QString& section, const QString& key);
// "x, y" -> point / size; missing numbers are 0.
QPoint ParseSkinPoint(const QString& value);
QPoint ReadSkinPoint(const QString& iniPath, const QString& section, const QString& key);
QSize ReadSkinSize(const QString& iniPath, const QString& section, const QString& key);
// "r, g, b" -> colour; an empty value gives black.
QColor ParseSkinColor(const QString& value);
QColor ReadSkinColor(const QString& iniPath, const QString& section, const QString& key);
// A decimal flag: 0, missing or not a number = false.
bool ReadSkinFlag(const QString& iniPath, const QString& section, const QString& key);

// Joins program directory, skin folder and a file name ("/x.ini", "\x.ini" or "x.ini") into one
// path with exactly one '/' between folder and name. An empty name gives the folder with '/'.
QString SkinPath(const QString& programDirectory, const QString& skinFolder, const QString& fileName);
