#pragma once

#include "skin/LoadBmp.h"

// The right bar's skin: a background only.
class CRightbarDlgBmp : public CLoadBmp {
protected:
    void CreateControls() override {}
};
