#include "app/MainLayout.h"

#include <algorithm>

bool MainLayout::OnSize(SizeKind kind, int clientWidth, int clientHeight)
{
    if (kind == SizeKind::Minimized)
        return false;
    maximized_ = kind == SizeKind::Maximized;
    // Below the minimum the window system has overruled us; the panel still
    // stays whole and the view shrinks, never below nothing.
    const LayoutBox panel{std::max(0, clientWidth - kPanelWidth), 0, kPanelWidth, kPanelHeight};
    const LayoutBox view{0, 0, std::max(0, panel.x - kGap), std::max(0, clientHeight)};
    if (panel == panel_ && view == view_)
        return false;
    panel_ = panel;
    view_ = view;
    return true;
}
