#include "app/MainLayout.h"

bool MainLayout::OnSize(SizeKind kind, int clientWidth, int clientHeight)
{
    if (kind == SizeKind::Maximized && !maximized_) {
        maximized_ = true;
        panel_.x = clientWidth - panel_.width;
        view_ = {0, 0, panel_.x - kGap, clientHeight};
        return true;
    }
    if (kind == SizeKind::Restored && maximized_) {
        maximized_ = false;
        panel_.x = kPanelLeft;
        view_ = {0, 0, kViewSize, kViewSize};
        return true;
    }
    return false;
}
