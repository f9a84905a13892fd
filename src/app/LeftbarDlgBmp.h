#pragma once

#include "skin/LoadBmp.h"

// The left bar's skin: a background only.
class CLeftbarDlgBmp : public CLoadBmp {
protected:
    void CreateControls() override {}
};
