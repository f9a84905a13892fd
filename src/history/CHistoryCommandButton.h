#pragma once

#include "skin/ButtonST.h"

// A command button of the history window's tool column: the skin's icon button with its caption
// under the icon, as the window shows icon and text. Window thread only.
class CHistoryCommandButton : public CButtonST {
    Q_OBJECT

public:
    using CButtonST::CButtonST;

protected:
    void paintEvent(QPaintEvent* event) override;
};
