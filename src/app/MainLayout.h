#pragma once

// A rectangle in client pixels of the main window.
struct LayoutBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const LayoutBox&, const LayoutBox&) = default;
};

// Where the main window puts the map view and the side panel: the panel keeps
// its size and sticks to the right edge, the view takes all the room left of
// it. At the dialog's own size (782 × 550) that is the 550 × 550 view with the
// panel at x = 552.
class MainLayout {
public:
    static constexpr int kViewSize = 550;
    static constexpr int kPanelLeft = 552;
    static constexpr int kPanelWidth = 230;
    static constexpr int kPanelHeight = 550;
    static constexpr int kGap = 2;
    // The smallest client area that still shows the whole panel and a useful view.
    static constexpr int kMinViewWidth = 250;
    static constexpr int kMinClientWidth = kMinViewWidth + kGap + kPanelWidth;
    static constexpr int kMinClientHeight = kPanelHeight;

    enum class SizeKind { Restored, Minimized, Maximized };

    // Returns whether the view or the panel moved. A minimised window keeps its layout.
    bool OnSize(SizeKind kind, int clientWidth, int clientHeight);

    bool Maximized() const { return maximized_; }
    const LayoutBox& Panel() const { return panel_; }
    const LayoutBox& View() const { return view_; }

private:
    bool maximized_ = false;
    LayoutBox panel_{kPanelLeft, 0, kPanelWidth, kPanelHeight};
    LayoutBox view_{0, 0, kViewSize, kViewSize};
};
