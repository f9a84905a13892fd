#pragma once

#include "app/TitlebarRules.h"
#include "skin/LoadBmp.h"
#include "skin/SkinValues.h"

// The title bar's skin: its thirteen buttons, created in id order from MainButtons.
class CTitlebarDlgBmp : public CLoadBmp {
protected:
    void CreateControls() override {
        for (int id = kFirstTitleButton; id <= kLastTitleButton; ++id)
            CreateTitleButton(QString::fromLatin1(TitleButtonName(id)), SkinKey::kMainButtons, id);
    }
};
