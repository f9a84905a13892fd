#pragma once

#include "skin/LoadBmp.h"
#include "skin/SkinValues.h"

// The property panel's title strip skin: one close button.
class CPropertyTitleBmp : public CLoadBmp {
public:
    static constexpr int kCloseId = 1148;

protected:
    void CreateControls() override { CreateButton(QStringLiteral("Close"), SkinKey::kMainButtons, kCloseId); }
};
