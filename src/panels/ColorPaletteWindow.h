#pragma once

#include "msg/MsgTypes.h"

#include <QCursor>
#include <QFont>
#include <QWidget>

#include <map>
#include <optional>
#include <string>

class QPushButton;

// The palette a CColorPaletteButton opens: 191 × 150 px with its border,
// the swatches on top, below them a preview, the colour's code and name and
// a button for the full colour dialog. Pop-up, it is a window of its own
// that keeps the pointer inside until a choice; embedded, a child of the
// dialog that only follows the pointer while it is over it.
class ColorPaletteWindow : public QWidget {
    Q_OBJECT

public:
    // `names` (GB18030) and `picker` must outlive the palette. Pop-up, the
    // palette is a window owned by `owner`; embedded, a child of it.
    ColorPaletteWindow(QWidget* owner, bool embedded, ColorRef start, const std::map<ColorRef, std::string>& names,
                       const QCursor& picker);
    ~ColorPaletteWindow() override;

    bool Embedded() const { return embedded_; }
    ColorRef StartColor() const { return start_; }
    // The colour of the last hovered cell; the starting colour before that.
    ColorRef CurrentColor() const { return current_; }
    int HoveredIndex() const { return hovered_; }
    bool PointerInSwatchArea() const { return inSwatchArea_; }
    QString TextLine() const;
    QPushButton* MoreColorsButton() const { return moreColors_; }

    // Shows the palette and, pop-up, takes the pointer and the keys.
    void Open();
    // Pointer moves at this screen point are the press that opened the
    // palette, not a move of the user's.
    void RememberPress(QPoint global);

signals:
    void colorChosen(ColorRef colour);
    void moreColorsRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TrackInside(QPoint local);
    void KeepPointerInside(QPoint global);
    void LetPointerGo();
    void HoldPointer(bool hold);
    void ChooseIfInSwatchArea();
    void PaintSwatches(QPainter& p) const;
    void PaintStrip(QPainter& p) const;
    void PaintMoreColorsButton();

    const bool embedded_;
    const ColorRef start_;
    const std::map<ColorRef, std::string>& names_;
    const QCursor& picker_;
    ColorRef current_;
    bool inSwatchArea_ = false;
    int hovered_ = -1;
    std::optional<QPoint> lastPress_;
    QFont font_;
    QPushButton* moreColors_;
};
