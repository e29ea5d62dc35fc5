#pragma once

#include "tooltip/TipMarkup.h"

#include <QPainterPath>
#include <QPoint>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

#include <filesystem>

// A balloon tip pointing at a screen point, showing the small rich-text
// markup of grid tips on the background its markup names. It appears after a
// short delay (waiting) and stays until it is hidden.
class GridTip : public QWidget {
    Q_OBJECT

public:
    static constexpr int kAppearDelayMs = 300;
    // The pointer's tip sits this far right of the balloon's left edge.
    static constexpr int kPointerOffset = 14;
    static constexpr int kPointerHeight = 10;

    explicit GridTip(QWidget* parent = nullptr);

    // Where the "icon" and "bmp" tags find their pictures.
    void SetImageFolder(std::filesystem::path folder) { imageFolder_ = std::move(folder); }

    // Replaces any tip waiting or on show.
    void ShowAt(const QString& markup, QPoint screenPoint);
    // Stops a waiting tip or hides a shown one.
    void HideTip();

    bool Waiting() const { return appear_.isActive(); }
    bool Shown() const { return isVisible(); }
    // The point the balloon points at, in screen coordinates.
    QPoint PointerTip() const;
    bool PointsDown() const { return pointsDown_; }
    const TipMarkup& Markup() const { return markup_; }
    QString PlainText() const { return document_.toPlainText(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Appear();
    QPainterPath Balloon() const;

    QTimer appear_;
    QPoint at_;
    bool pointsDown_ = false;
    std::filesystem::path imageFolder_;
    TipMarkup markup_;
    QTextDocument document_;
};
