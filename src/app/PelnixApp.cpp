#include "app/PelnixApp.h"

#include <QApplication>
#include <clocale>
#include <QFont>
#include <memory>

#include "app/AppHooks.h"
#include "app/PelnixDlg.h"
#include "device/SerialPort.h"
#include "model/DeviceContext.h"
#include "model/Settings.h"
#include "skin/PopupFrameSkin.h"

std::atomic<bool> CPelnixApp::running_{false};

namespace {
constexpr char kCjkFamily[] = "WenQuanYi Zen Hei";
constexpr char kPopupSkinFile[] = "public_config.ini";
}  // namespace

void InstallFontSubstitutions() {
    for (const char* face : {"宋体", "粗体", "SimSun", "新宋体"})
        QFont::insertSubstitution(QString::fromUtf8(face), QString::fromLatin1(kCjkFamily));
}

CPelnixApp::CPelnixApp() {
    running_ = true;
}

CPelnixApp::~CPelnixApp() {
    lock_.Release();
    DestroyDeviceContext();
    DestroySerialPort();
}

int CPelnixApp::Run(QApplication& application) {
    if (!lock_.Acquire(kLockName)) return 0;
    // Qt hands the desktop's locale to the C library; values on screen and in exported files are
    // written with a decimal point whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    InstallFontSubstitutions();
    DeviceContext& context = GetDeviceContext();
    context.programDirectory = ProgramDirectory();
    LoadSettings(context.programDirectory + kSettingsFileName, context);
    LoadPopupFrameSkin(QString::fromStdString(context.programDirectory),
                       QString::fromStdString(context.skinFolder), QString::fromLatin1(kPopupSkinFile));

    InstallWindowHooks();
    QApplication::setQuitOnLastWindowClosed(false);
    auto window = std::make_unique<CPelnixDlg>();
    QObject::connect(window.get(), &CPelnixDlg::closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window->show();
    window->StartAutoConnect();
    const int code = application.exec();
    window.reset();
    return code;
}
