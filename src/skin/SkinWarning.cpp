#include "skin/SkinWarning.h"

#include <QMessageBox>

#include "model/Texts.h"

namespace {
SkinWarningHook& Hook() {
    static SkinWarningHook hook;
    return hook;
}
}  // namespace

SkinWarningHook SetSkinWarningHook(SkinWarningHook hook) {
    SkinWarningHook previous = Hook();
    Hook() = std::move(hook);
    return previous;
}

void ShowSkinImageWarning(const QString& imagePath) {
    const QString caption = QString::fromUtf8(Tx(TextId::SkinPromptCaption));
    const QString text =
        QString::fromUtf8(FormatText(Tx(TextId::SkinImageWarningFormat), Tx(TextId::SkinLoadImageFailed),
                                     imagePath.toUtf8().constData(), Tx(TextId::SkinFailed))
                              .c_str());
    if (Hook()) {
        Hook()(caption, text);
        return;
    }
    // A system box without owner: the bar it belongs to may not be shown yet.
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok);
    box.exec();
}
