#pragma once

#include "model/DeviceContext.h"
#include "model/Edition.h"

// Switches the edition for one test (with a context sized for it) and restores the Chinese edition.
struct EditionScope {
    explicit EditionScope(Edition edition) {
        SetEdition(edition);
        DestroyDeviceContext();
    }
    ~EditionScope() {
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
    }
    EditionScope(const EditionScope&) = delete;
    EditionScope& operator=(const EditionScope&) = delete;
};
