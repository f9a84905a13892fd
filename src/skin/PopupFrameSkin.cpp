#include "skin/PopupFrameSkin.h"

#include "skin/LoadBmp.h"
#include "skin/SkinValues.h"

PopupFrameSkin& GetPopupFrameSkin() {
    static PopupFrameSkin skin;
    return skin;
}

void LoadPopupFrameSkin(const QString& programDirectory, const QString& skinFolder, const QString& fileName) {
    const QString ini = SkinPath(programDirectory, skinFolder, fileName);
    auto image = [&](const char* key) {
        const QString name = ReadSkinText(ini, SkinKey::kMainSettings, key);
        // An empty key would name the folder; no image then, and no message.
        if (name.isEmpty()) return QImage();
        return QImage(SkinPath(programDirectory, skinFolder, name))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    PopupFrameSkin skin;
    skin.frame = image(SkinKey::kBackImageUp);
    const QList<int> border = ParseSkinInts(ReadSkinText(ini, SkinKey::kDialogFrame, SkinKey::kBorder), 4);
    skin.border = QMargins(qMax(0, border[0]), qMax(0, border[1]), qMax(0, border[2]), qMax(0, border[3]));
    skin.roundSize = ReadSkinSize(ini, SkinKey::kDialogFrame, SkinKey::kRoundSize);
    skin.titleRect = ReadSkinRect(ini, SkinKey::kDialogFrame, SkinKey::kTitlePosition);
    skin.closeDistance = ReadSkinPoint(ini, SkinKey::kDialogFrame, SkinKey::kCloseDistance);
    const QRect closeRect = ReadSkinRect(ini, SkinKey::kDialogFrame, SkinKey::kClosePosition);
    skin.closeSize = QSize(qMax(0, closeRect.width()), qMax(0, closeRect.height()));
    skin.closeNormal = CLoadBmp::CropBitmap(image(SkinKey::kCloseUp), closeRect);
    skin.closeHover = CLoadBmp::CropBitmap(image(SkinKey::kCloseOver), closeRect);
    skin.closePressed = CLoadBmp::CropBitmap(image(SkinKey::kCloseDown), closeRect);
    skin.closeDisabled = CLoadBmp::CropBitmap(image(SkinKey::kCloseDisable), closeRect);
    GetPopupFrameSkin() = skin;
}
