#pragma once

#include <QObject>
#include <atomic>
#include <thread>

#include "model/DeviceParameters.h"

// The start-up connection attempt on a worker thread: the configured port, or each port of the
// detected list until one answers. The worker never touches a widget; its outcome comes back as the
// signal finished on the window thread. It writes the context's port number while it searches and
// saves the port that answered.
class CAutoConnector : public QObject {
    Q_OBJECT
public:
    explicit CAutoConnector(QObject* parent = nullptr);
    ~CAutoConnector() override;

    void Start();
    // Waits for the worker to end (window thread; no events are dispatched meanwhile).
    void Join();
    // Waits for the worker while dispatching events, so that its queued result is delivered.
    void WaitDispatching();
    bool Running() const { return running_.load(); }

signals:
    // ok: the logger answered and parameters hold its block. Emitted once per attempted port
    // (failures) and once for the success.
    void attempted(bool ok, const DeviceParameters& parameters);
    void finished();

private:
    void Run();

    std::thread thread_;
    std::atomic<bool> running_{false};
};
