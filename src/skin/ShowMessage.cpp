#include "skin/ShowMessage.h"

#include "skin/MsgBox.h"

namespace {
ShowMessageHook& Hook() {
    static ShowMessageHook hook;
    return hook;
}
}  // namespace

ShowMessageHook SetShowMessageHook(ShowMessageHook hook) {
    ShowMessageHook previous = Hook();
    Hook() = std::move(hook);
    return previous;
}

void ShowMessage(QWidget* parent, const QString& text) {
    if (Hook()) {
        Hook()(text);
        return;
    }
    CMsgBox box(text, parent);
    box.exec();
}

void ShowMessage(QWidget* parent, TextId id) {
    ShowMessage(parent, QString::fromUtf8(Tx(id)));
}
