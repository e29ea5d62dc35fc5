#pragma once

// A rectangle in client pixels of the main window.
struct LayoutBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const LayoutBox&, const LayoutBox&) = default;
};

// Where the main window puts the map view and the side panel. Maximised, the
// panel sticks to the right edge and the view takes the rest; restored, both
// go back to their places of the dialog's own size.
class MainLayout {
public:
    static constexpr int kViewSize = 550;
    static constexpr int kPanelLeft = 552;
    static constexpr int kPanelWidth = 230;
    static constexpr int kPanelHeight = 550;
    static constexpr int kGap = 2;

    enum class SizeKind { Restored, Minimized, Maximized };

    // Returns whether the view and the panel moved.
    bool OnSize(SizeKind kind, int clientWidth, int clientHeight);

    bool Maximized() const { return maximized_; }
    const LayoutBox& Panel() const { return panel_; }
    const LayoutBox& View() const { return view_; }

private:
    bool maximized_ = false;
    LayoutBox panel_{kPanelLeft, 0, kPanelWidth, kPanelHeight};
    LayoutBox view_{0, 0, kViewSize, kViewSize};
};
