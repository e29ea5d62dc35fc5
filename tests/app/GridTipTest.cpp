#include "platform/TextCodec.h"
#include "tooltip/GridTip.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(GridTipTest, WaitsThenShowsAndHidesFromEitherState)
{
    GridTip tip;
    EXPECT_FALSE(tip.Waiting());
    EXPECT_FALSE(tip.Shown());

    tip.ShowAt(QStringLiteral("<b>道路</b>"), QPoint(40, 50));
    EXPECT_TRUE(tip.Waiting());
    EXPECT_FALSE(tip.Shown());
    tip.HideTip();
    EXPECT_FALSE(tip.Waiting());
    QTest::qWait(GridTip::kAppearDelayMs * 2);
    EXPECT_FALSE(tip.Shown());

    tip.ShowAt(QStringLiteral("<b>道路</b>"), QPoint(40, 50));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tip.Shown(); }));
    EXPECT_FALSE(tip.Waiting());
    // A balloon whose pointer touches the point; its corners are cut away.
    EXPECT_EQ(tip.PointerTip(), QPoint(40, 50));
    EXPECT_FALSE(tip.PointsDown());
    EXPECT_FALSE(tip.mask().contains(QPoint(tip.width() - 1, 0)));
    EXPECT_TRUE(tip.mask().contains(QPoint(tip.width() / 2, tip.height() / 2)));
    EXPECT_EQ(tip.PlainText(), QStringLiteral("道路"));
    tip.HideTip();
    EXPECT_FALSE(tip.Shown());
}

TEST(GridTipTest, MarkupNamesTheEffectAndShowsPicturesOfTheFolderOnly)
{
    const fs::path folder = fs::temp_directory_path() / "ql-tip-pictures";
    fs::create_directories(folder / "icons");
    QImage picture(400, 40, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(platform::PathToUtf8(folder / "icons" / "road.png"))));
    ASSERT_TRUE(picture.save(QString::fromStdString(platform::PathToUtf8(folder.parent_path() / "outside.png"))));

    struct Case {
        const char* markup;
        TipMarkup::Effect effect;
        int pictures;
        const char* size;
    };
    const Case cases[] = {
        {"plain", TipMarkup::Effect::Solid, 0, nullptr},
        {"<effect name=\"hgradient\" color=\"#102030\">a", TipMarkup::Effect::HGradient, 0, nullptr},
        {"<EFFECT name='VGradient'>a", TipMarkup::Effect::VGradient, 0, nullptr},
        {"<effect name=noise>a", TipMarkup::Effect::Noise, 0, nullptr},
        {"<effect name=\"metal\"><icon src=\"icons/road.png\">a", TipMarkup::Effect::Metal, 1, "width=\"16\""},
        {"<bmp src=\"icons/road.png\">", TipMarkup::Effect::Solid, 1, "width=\"256\""},
        {"<effect name=\"sparkle\"><bmp src=\"../outside.png\">", TipMarkup::Effect::Solid, 0, nullptr},
        {"<icon src=\"/etc/passwd\"><icon src=\"missing.png\"><icon>", TipMarkup::Effect::Solid, 0, nullptr},
    };
    for (const Case& c : cases) {
        const TipMarkup markup = TipMarkup::Parse(QString::fromUtf8(c.markup), folder);
        EXPECT_EQ(markup.BackgroundEffect(), c.effect) << c.markup;
        EXPECT_EQ(markup.Html().count(QStringLiteral("<img")), c.pictures) << c.markup;
        EXPECT_FALSE(markup.Html().contains(QStringLiteral("effect"), Qt::CaseInsensitive)) << c.markup;
        if (c.size) {
            EXPECT_TRUE(markup.Html().contains(QString::fromUtf8(c.size))) << markup.Html().toStdString();
        }
    }
    EXPECT_EQ(TipMarkup::Parse(QStringLiteral("<effect name=hgradient color=#102030>"), folder).Colour(),
              QColor(0x10, 0x20, 0x30));

    // The tip lays the picture out with the text.
    GridTip tip;
    tip.SetImageFolder(folder);
    tip.ShowAt(QStringLiteral("<effect name=\"metal\"><bmp src=\"icons/road.png\"><br>道路"), QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tip.Shown(); }));
    EXPECT_GE(tip.width(), 256);
    EXPECT_GE(tip.height(), 25 + GridTip::kPointerHeight);
    fs::remove_all(folder);
    fs::remove(folder.parent_path() / "outside.png");
}
