#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "model/DeviceContext.h"

// Header-only: each window test is one source file.

// A program directory for window tests: a small skin of known sizes (no images) in "SkinConfig",
// and the device context pointed at it.
class AppFixture {
public:
    AppFixture();
    bool Valid() const { return dir_.isValid(); }
    QString Directory() const { return dir_.path() + QLatin1Char('/'); }
    // Fresh context of the current edition pointed at this directory.
    void ResetContext() const;

    // Skin sizes written by the fixture.
    static constexpr int kTitleWidth = 1000, kTitleHeight = 60;
    static constexpr int kSideWidth = 8, kSideHeight = 600;
    static constexpr int kBottomHeight = 30;
    static constexpr int kPanelWidth = 220, kStripHeight = 28;

private:
    QTemporaryDir dir_;
};

namespace app_fixture {
inline void WriteFile(const QString& path, const char* text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
}

inline const char kTitleBar[] = R"([MainSettings]
MainWindow_Size = 1000,60
[MainButtons]
Close_IsVisible=1
Close_Position=970,5,990,25
Maximize_IsVisible=1
Maximize_Position=945,5,965,25
Minimize_IsVisible=1
Minimize_Position=920,5,940,25
FileHandle_IsVisible=1
FileHandle_Position=100,10,150,55
StartRealRecord_IsVisible=1
StartRealRecord_Position=160,10,210,55
StopRealRecord_IsVisible=1
StopRealRecord_Position=160,10,210,55
HisdataDownload_IsVisible=1
HisdataDownload_Position=220,10,270,55
DeviceConnect_IsVisible=1
DeviceConnect_Position=280,10,330,55
DeviceReset_IsVisible=1
DeviceReset_Position=340,10,390,55
DeviceStartRecord_IsVisible=1
DeviceStartRecord_Position=400,10,450,55
DeviceStopRecord_IsVisible=1
DeviceStopRecord_Position=400,10,450,55
ParameterConfig_IsVisible=1
ParameterConfig_Position=460,10,510,55
SystemInfo_IsVisible=0
SystemInfo_Position=520,10,570,55
[ExpandPoint]
ExpandPoint_Pos=600,30
)";
inline const char kSide[] = "[MainSettings]\nMainWindow_Size=8,600\n";
inline const char kBottom[] = R"([MainSettings]
MainWindow_Size=1000,30
[InfoBox]
SysInfo_IsVisible=1
SysInfo_Position=10,6,200,24
SysInfo_BackColor=0,0,0
SysInfo_TextColor=0,255,0
TimeInfo_IsVisible=1
TimeInfo_Position=800,6,990,24
TimeInfo_BackColor=0,0,0
TimeInfo_TextColor=255,255,255
)";
inline const char kStrip[] = R"([MainSettings]
MainWindow_Size=220,28
[MainButtons]
Close_Position=198,4,216,22
)";
}  // namespace app_fixture

inline AppFixture::AppFixture() {
    QDir(dir_.path()).mkdir(QStringLiteral("SkinConfig"));
    const QString skin = dir_.path() + QStringLiteral("/SkinConfig/");
    app_fixture::WriteFile(skin + QStringLiteral("TitleBar_config.ini"), app_fixture::kTitleBar);
    app_fixture::WriteFile(skin + QStringLiteral("LeftBar_config.ini"), app_fixture::kSide);
    app_fixture::WriteFile(skin + QStringLiteral("RightBar_config.ini"), app_fixture::kSide);
    app_fixture::WriteFile(skin + QStringLiteral("Bottom_config.ini"), app_fixture::kBottom);
    app_fixture::WriteFile(skin + QStringLiteral("Property_TitleBar_config.ini"), app_fixture::kStrip);
    app_fixture::WriteFile(skin + QStringLiteral("public_config.ini"), "");
}

inline void AppFixture::ResetContext() const {
    DestroyDeviceContext();
    DeviceContext& context = GetDeviceContext();
    context.programDirectory = Directory().toStdString();
    context.skinFolder = "SkinConfig";
    context.retryCount = 1;
}
