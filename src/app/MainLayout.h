#pragma once

#include <QRect>

// Geometry of the main window's children for a client size and state, as a pure function so that
// every state can be checked without windows. Skin rectangles are in window pixels.
struct MainLayoutInput {
    int width = 0;   // client width W
    int height = 0;  // client height H
    bool maximized = false;
    bool panelVisible = true;
    QSize titleSize, leftSize, rightSize, bottomSize;  // skin sizes of the bars
    int panelWidth = 0;                                // width of the property panel's title strip
    // Configured rectangles, anchored to the right edge when maximized.
    QRect closeButton, maximizeButton, minimizeButton, clockText;
};

struct MainLayout {
    QRect title, left, right, bottom, panel, content;  // content: real-time and history windows
    QRect closeButton, maximizeButton, minimizeButton, clockText;
};

MainLayout ComputeMainLayout(const MainLayoutInput& in);
