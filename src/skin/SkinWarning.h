#pragma once

#include <QString>
#include <functional>

// The skin loader's image warning: a plain warning box without owner (caption "提示"/"Prompt"),
// not the skinned message box. Tests install a hook to collect the warnings instead of showing a
// modal box. GUI thread only.
using SkinWarningHook = std::function<void(const QString& caption, const QString& text)>;

// Installs a hook (an empty function restores the real box). Returns the previous hook.
SkinWarningHook SetSkinWarningHook(SkinWarningHook hook);

// "导入背景图片: <path> 失败!" in the current edition, through the hook or the warning box.
void ShowSkinImageWarning(const QString& imagePath);
