#pragma once

#include <QLabel>
#include <QPoint>
#include <QTimer>

// A small frameless tooltip window showing rich text at a screen point. It
// appears after a short delay (waiting) and then stays until hidden or until
// it has been on show for a while.
class GridTip : public QLabel {
    Q_OBJECT

public:
    static constexpr int kAppearDelayMs = 300;
    static constexpr int kShowTimeMs = 8000;

    explicit GridTip(QWidget* parent = nullptr);

    // Replaces any tip waiting or on show.
    void ShowAt(const QString& html, QPoint screenPoint);
    // Stops a waiting tip or hides a shown one.
    void HideTip();

    bool Waiting() const { return appear_.isActive(); }
    bool Shown() const { return isVisible(); }

private:
    void Appear();

    QTimer appear_;
    QTimer expire_;
    QPoint at_;
};
