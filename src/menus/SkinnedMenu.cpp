#include "menus/SkinnedMenu.h"

#include <QMenu>

#include "skin/SkinStyle.h"

namespace {
SkinnedMenu::ExecHook& Hook() {
    static SkinnedMenu::ExecHook hook;
    return hook;
}
}  // namespace

void SkinnedMenu::AddItem(int id, const QString& text, bool enabled, bool checked) {
    m_items.push_back({id, text, enabled, checked});
}

void SkinnedMenu::AddSeparator() {
    m_items.push_back({0, QString(), false, false});
}

SkinnedMenu::ExecHook SkinnedMenu::SetExecHook(ExecHook hook) {
    ExecHook previous = Hook();
    Hook() = std::move(hook);
    return previous;
}

QString SkinnedMenu::StyleSheet() {
    using namespace SkinStyle;
    QColor hover = kAccent;
    hover.setAlpha(40);
    return QStringLiteral(
               "QMenu { background: #ffffff; border: 1px solid %1; border-radius: 4px; padding: 4px 0px; }"
               "QMenu::item { color: %2; padding: 6px 28px 6px 30px; margin: 0px 4px; border-radius: 3px; }"
               "QMenu::item:selected { background: rgba(%3, %4, %5, %6); color: %7; }"
               "QMenu::item:disabled { color: %8; background: transparent; }"
               "QMenu::separator { height: 1px; background: %1; margin: 4px 8px; }"
               "QMenu::indicator { width: 14px; height: 14px; left: 9px; }")
        .arg(kLine.name(), kText.name())
        .arg(hover.red())
        .arg(hover.green())
        .arg(hover.blue())
        .arg(hover.alpha())
        .arg(kAccentDark.darker(115).name(), kMutedText.name());
}

int SkinnedMenu::Exec(const QPoint& globalTopLeft) {
    if (Hook()) {
        const int id = Hook()(m_items);
        for (const Item& item : m_items)
            if (id != 0 && item.id == id) return item.enabled ? id : 0;
        return 0;
    }
    QMenu menu(m_owner);
    menu.setStyleSheet(StyleSheet());
    for (const Item& item : m_items) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.text);
        action->setData(item.id);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
    }
    QAction* chosen = menu.exec(globalTopLeft);
    return chosen ? chosen->data().toInt() : 0;
}
