#include "tooltip/GridTip.h"

GridTip::GridTip(QWidget* parent) : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setTextFormat(Qt::RichText);
    setWordWrap(false);
    setMargin(4);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; color: black; border: 1px solid #767676; }"));

    appear_.setSingleShot(true);
    appear_.setInterval(kAppearDelayMs);
    connect(&appear_, &QTimer::timeout, this, &GridTip::Appear);
    expire_.setSingleShot(true);
    expire_.setInterval(kShowTimeMs);
    connect(&expire_, &QTimer::timeout, this, &GridTip::HideTip);
}

void GridTip::ShowAt(const QString& html, QPoint screenPoint)
{
    HideTip();
    setText(html);
    at_ = screenPoint;
    appear_.start();
}

void GridTip::HideTip()
{
    appear_.stop();
    expire_.stop();
    hide();
}

void GridTip::Appear()
{
    adjustSize();
    move(at_);
    show();
    expire_.start();
}
