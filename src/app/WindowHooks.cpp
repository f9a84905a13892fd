#include "app/AppHooks.h"

// The one place where the real-time, history, download and configuration windows are connected to
// the main window and the title bar. Entries left empty keep their placeholders.
void InstallWindowHooks() {}
