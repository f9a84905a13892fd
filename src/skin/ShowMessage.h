#pragma once

#include <QString>
#include <functional>

#include "model/Texts.h"

class QWidget;

// Shows text in the skinned message box (CMsgBox) and waits until it is closed. All user messages
// go through here. GUI thread only.
void ShowMessage(QWidget* parent, const QString& text);
void ShowMessage(QWidget* parent, TextId id);

// Tests install a hook that receives each message instead of the modal box (ShowMessage then
// returns at once). An empty function restores the box. Returns the previous hook.
using ShowMessageHook = std::function<void(const QString& text)>;
ShowMessageHook SetShowMessageHook(ShowMessageHook hook);
