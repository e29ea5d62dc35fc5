#include "panels/ElidedLabel.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    bool wordWrap;
    int lines;  // box height in lines
    bool elided;
};

}  // namespace

TEST(ElidedLabelTest, TextThatDoesNotFitIsShortenedAndWholeInTheTooltip)
{
    const QString longName = QString::fromUtf8("一个名字非常非常长的演示，讲城墙、道路和工厂怎样摆放才不浪费土地");
    const Case cases[] = {
        {"短", false, 1, false},
        {"一行\n两行", false, 2, false},
        {"一行\n两行\n三行", false, 2, true},
        {nullptr, false, 1, true},
        {nullptr, true, 3, true},
        {nullptr, true, 30, false},
    };
    for (const Case& c : cases) {
        const QString text = c.text ? QString::fromUtf8(c.text) : longName;
        ElidedLabel label;
        label.setWordWrap(c.wordWrap);
        const QFontMetrics metrics(label.font());
        label.resize(120, c.lines * metrics.lineSpacing() + 2);
        label.SetFullText(text);

        EXPECT_EQ(label.Elided(), c.elided) << text.toStdString();
        EXPECT_EQ(label.FullText(), text);
        EXPECT_EQ(label.toolTip(), c.elided ? text : QString());
        const QStringList shown = label.text().split(QLatin1Char('\n'));
        EXPECT_LE(shown.size(), c.lines);
        for (const QString& line : shown)
            EXPECT_LE(metrics.horizontalAdvance(line), 120) << line.toStdString();
        if (c.elided)
            EXPECT_TRUE(label.text().endsWith(QChar(0x2026))) << label.text().toStdString();
        else
            EXPECT_EQ(label.text().remove(QLatin1Char('\n')), QString(text).remove(QLatin1Char('\n')));
    }
}

TEST(ElidedLabelTest, WideningTheBoxShowsTheWholeTextAgain)
{
    ElidedLabel label;
    label.resize(40, 30);
    label.show();  // a hidden widget gets its resize event only when shown
    label.SetFullText(QString::fromUtf8("演示：城墙与道路"));
    EXPECT_TRUE(label.Elided());
    label.resize(400, 30);
    EXPECT_FALSE(label.Elided());
    EXPECT_EQ(label.text(), QString::fromUtf8("演示：城墙与道路"));
    EXPECT_TRUE(label.toolTip().isEmpty());
}
