#pragma once

// User messages of the app area, shown in the skinned message box (waits for the user).
void ShowAppMessage(const char* utf8);
