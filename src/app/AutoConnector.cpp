#include "app/AutoConnector.h"

#include <QEventLoop>
#include <QMetaObject>

#include "device/Commands.h"
#include "model/DeviceContext.h"
#include "model/Settings.h"

CAutoConnector::CAutoConnector(QObject* parent) : QObject(parent) {}

CAutoConnector::~CAutoConnector() {
    Join();
}

void CAutoConnector::Start() {
    Join();
    running_ = true;
    thread_ = std::thread([this] { Run(); });
}

void CAutoConnector::Join() {
    if (thread_.joinable()) thread_.join();
}

void CAutoConnector::WaitDispatching() {
    if (running_) {
        QEventLoop loop;
        connect(this, &CAutoConnector::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        if (running_) loop.exec();
    }
    Join();
}

void CAutoConnector::Run() {
    DeviceContext& context = GetDeviceContext();
    auto report = [this](bool ok, const DeviceParameters& parameters) {
        QMetaObject::invokeMethod(
            this, [this, ok, parameters] { emit attempted(ok, parameters); }, Qt::QueuedConnection);
    };
    if (context.portNumber != 0) {
        DeviceParameters parameters;
        const bool ok = ReadDeviceState(parameters);
        report(ok, parameters);
    } else {
        const std::vector<int> ports = context.portList;  // the list is fixed once settings are loaded
        bool found = false;
        for (int port : ports) {
            context.portNumber = port;
            DeviceParameters parameters;
            if (ReadDeviceState(parameters)) {
                report(true, parameters);
                SaveSetting(kSaveComPort);
                found = true;
                break;
            }
            report(false, parameters);
        }
        if (!found) context.portNumber = 0;
    }
    running_ = false;
    QMetaObject::invokeMethod(
        this, [this] { emit finished(); }, Qt::QueuedConnection);
}
