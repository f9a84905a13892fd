#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

// Popup menu in the skin's style (title-bar menus, the history window's save menu). Built fresh
// for each use, one text item per row with its command id, grayed when disabled, a check mark when
// checked. Exec shows it with its top-left corner at a screen point and returns the chosen command
// id, or 0 when the menu is dismissed. GUI thread only.
//   SkinnedMenu menu(this);
//   menu.AddItem(1007, Tx(TextId::...), true, panelVisible);
//   int id = menu.Exec(button->mapToGlobal(button->rect().bottomLeft()));
class SkinnedMenu {
public:
    struct Item {
        int id;
        QString text;
        bool enabled;
        bool checked;
    };

    explicit SkinnedMenu(QWidget* owner) : m_owner(owner) {}
    void AddItem(int id, const QString& text, bool enabled = true, bool checked = false);
    void AddSeparator();
    const std::vector<Item>& Items() const { return m_items; }

    int Exec(const QPoint& globalTopLeft);

    // Tests install a hook that picks an id from the items instead of opening the menu; a hook
    // answer naming a disabled or unknown item gives 0, like a click on a grayed row. An empty
    // function restores the real menu. Returns the previous hook.
    using ExecHook = std::function<int(const std::vector<Item>& items)>;
    static ExecHook SetExecHook(ExecHook hook);

    // The style sheet the menu uses (shared by other skinned popups that build a QMenu).
    static QString StyleSheet();

private:
    QWidget* m_owner;
    std::vector<Item> m_items;  // id 0 marks a separator
};
