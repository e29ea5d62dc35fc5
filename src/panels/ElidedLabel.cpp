#include "panels/ElidedLabel.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    SetFullText(text);
}

void ElidedLabel::SetFullText(const QString& text)
{
    fullText_ = text;
    Fit();
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Fit();
}

QStringList ElidedLabel::Lines(int width) const
{
    QStringList lines;
    for (const QString& paragraph : fullText_.split(QLatin1Char('\n'))) {
        if (!wordWrap() || paragraph.isEmpty()) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines;
}

void ElidedLabel::Fit()
{
    const QFontMetrics metrics(font());
    const QRect box = contentsRect();
    const int width = std::max(1, box.width());
    const int maxLines = std::max(1, box.height() / std::max(1, metrics.lineSpacing()));

    QStringList lines = Lines(width);
    bool elided = false;
    if (lines.size() > maxLines) {
        // The last line that fits takes what follows, and so ends in "…".
        QString last = lines.mid(maxLines - 1).join(QLatin1Char(' '));
        lines = lines.mid(0, maxLines - 1);
        lines << metrics.elidedText(last + QChar(0x2026), Qt::ElideRight, width);
        elided = true;
    }
    for (QString& line : lines) {
        const QString shortened = metrics.elidedText(line, Qt::ElideRight, width);
        elided = elided || shortened != line;
        line = shortened;
    }
    elided_ = elided;
    // Word wrap is done here; QLabel must not wrap the shortened lines again.
    setText(lines.join(QLatin1Char('\n')));
    setToolTip(elided ? fullText_ : QString());
}
