#pragma once

#include <QLabel>
#include <QString>

// A plain-text label that never cuts its text off: what does not fit its box
// is shortened with "…", and then the whole text is its tooltip. Lines break
// at line feeds and, with word wrap, at the box's width.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& FullText() const { return fullText_; }
    bool Elided() const { return elided_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();
    QStringList Lines(int width) const;

    QString fullText_;
    bool elided_ = false;
};
