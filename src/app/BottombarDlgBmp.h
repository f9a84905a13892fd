#pragma once

#include "skin/LoadBmp.h"
#include "skin/SkinValues.h"

// The bottom bar's skin: the port text SysInfo and the clock text TimeInfo, in that order.
class CBottombarDlgBmp : public CLoadBmp {
protected:
    void CreateControls() override {
        CreateInfoText(QStringLiteral("SysInfo"), SkinKey::kInfoBox);
        CreateInfoText(QStringLiteral("TimeInfo"), SkinKey::kInfoBox);
    }
};
