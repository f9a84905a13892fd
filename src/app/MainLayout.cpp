#include "app/MainLayout.h"

namespace {
// Keeps the distance from the right edge that the rectangle has in a bar of the skin's width.
QRect AnchorRight(const QRect& configured, int width, int skinWidth) {
    if (configured.isEmpty()) return configured;
    return QRect(width + configured.left() - skinWidth, configured.top(), configured.width(),
                 configured.height());
}
}  // namespace

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
    MainLayout out;
    const int W = in.width, H = in.height;
    const int th = in.titleSize.height(), lw = in.leftSize.width(), rw = in.rightSize.width();
    const int bh = in.bottomSize.height();
    const int middle = H - bh - th;  // height between title and bottom bar
    out.title = QRect(0, 0, W, th);
    if (in.maximized) {
        out.left = QRect(0, th, lw, middle);
        out.bottom = QRect(0, H - bh, W, bh);
        out.right = QRect(W - rw, th, rw, middle);
        out.closeButton = AnchorRight(in.closeButton, W, in.titleSize.width());
        out.maximizeButton = AnchorRight(in.maximizeButton, W, in.titleSize.width());
        out.minimizeButton = AnchorRight(in.minimizeButton, W, in.titleSize.width());
        out.clockText = AnchorRight(in.clockText, W, in.bottomSize.width());
    } else {
        out.left = QRect(0, th, lw, in.leftSize.height());
        out.bottom = QRect(0, H - bh, in.bottomSize.width(), bh);
        out.right = QRect(W - rw, th, rw, in.rightSize.height());
        out.closeButton = in.closeButton;
        out.maximizeButton = in.maximizeButton;
        out.minimizeButton = in.minimizeButton;
        out.clockText = in.clockText;
    }
    out.panel = QRect(lw + 1, th + 1, in.panelWidth, middle - 2);
    const int x0 = in.panelVisible ? in.panelWidth + lw + 2 : lw + 1;
    out.content = QRect(x0, th + 1, W - rw - x0 - 1, middle - 2);
    return out;
}
