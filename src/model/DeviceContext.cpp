#include "model/DeviceContext.h"

#include <atomic>
#include <mutex>

namespace {
std::mutex g_creationLock;
std::atomic<DeviceContext*> g_context{nullptr};
}  // namespace

DeviceContext& GetDeviceContext() {
    DeviceContext* context = g_context.load(std::memory_order_acquire);
    if (context == nullptr) {
        std::lock_guard<std::mutex> lock(g_creationLock);
        context = g_context.load(std::memory_order_relaxed);
        if (context == nullptr) {
            context = new DeviceContext();
            g_context.store(context, std::memory_order_release);
        }
    }
    return *context;
}

void DestroyDeviceContext() {
    std::lock_guard<std::mutex> lock(g_creationLock);
    delete g_context.exchange(nullptr);
}
