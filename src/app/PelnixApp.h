#pragma once

#include <atomic>

#include "app/SingleInstanceLock.h"

class QApplication;

// The application object: single instance, settings, popup skin, the main window, ordered exit.
// Window thread only, except Running(), which any thread may read.
class CPelnixApp {
public:
    CPelnixApp();
    ~CPelnixApp();

    // Runs the program to its end; returns the process exit code. A second instance returns 0 at
    // once without showing anything.
    int Run(QApplication& application);

    // False once the main window starts closing: a failing download then reports nothing.
    static bool Running() { return running_.load(); }
    static void SetRunning(bool running) { running_ = running; }

    // Name of the single-instance lock.
    static constexpr const char* kLockName = "Pelnix";

private:
    static std::atomic<bool> running_;
    CSingleInstanceLock lock_;
};

// Maps the font faces the windows ask for ("宋体", "粗体") to the installed CJK family, so that
// screen, print and PDF agree. Once, before the first window.
void InstallFontSubstitutions();
