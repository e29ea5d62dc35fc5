#include "config/AppConfig.h"
#include "config/AppConfigFile.h"
#include "demo/DemoTempFolder.h"
#include "msg/MsgCenter.h"
#include "panels/CColorListCtrl.h"
#include "panels/CColorPaletteButton.h"
#include "panels/CViewSetDlg.h"
#include "panels/PanelRequestRecorder.h"
#include "platform/TextCodec.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ListRow {
    ColorRef colour = 0;
    QString text;

    friend bool operator==(const ListRow&, const ListRow&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ListRow& row)
    {
        return out << std::hex << row.colour << " " << row.text.toStdString();
    }
};

class CViewSetDlgTest : public ::testing::Test {
protected:
    // The panel reads the settings when it is made, so each test makes it after setting them.
    CViewSetDlg& Panel()
    {
        panel = std::make_unique<CViewSetDlg>(center, config);
        panel->resize(230, 550);
        panel->show();
        return *panel;
    }

    std::vector<ListRow> Rows() const
    {
        std::vector<ListRow> rows;
        for (int i = 0; i < panel->NameList()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = panel->NameList()->topLevelItem(i);
            rows.push_back({CColorListCtrl::RowColour(item), item->text(0)});
        }
        return rows;
    }

    // On the indicator: a check box or radio only takes clicks on its indicator and text,
    // which may end well before the middle of its wide rectangle.
    static void Tick(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    void StoreName(ColorRef colour, const QString& typed)
    {
        panel->NameColorButton()->SetColor(colour);
        panel->NameEdit()->setText(typed);
        QTest::mouseClick(panel->StoreNameButton(), Qt::LeftButton);
    }

    void DeleteName(ColorRef colour)
    {
        panel->NameColorButton()->SetColor(colour);
        QTest::mouseClick(panel->DeleteNameButton(), Qt::LeftButton);
    }

    DemoTempFolder folder;
    AppConfig config{folder.path / "ql.cfg"};
    MsgCenter& center = MsgCenter::Instance();
    PanelRequestRecorder requests{center};
    std::unique_ptr<CViewSetDlg> panel;
};

}  // namespace

TEST_F(CViewSetDlgTest, StartsFromTheSettings)
{
    config.zoomKeepCenter = true;
    config.gridAuto = false;
    config.gridShow = true;
    config.hideBuildGrid = true;
    config.hideBuildName = true;
    config.houseColor = 0x0000ff;
    config.factoryColor = 0x00ff00;
    config.otherBuildColor = 0xff0000;
    config.colorNames = {{0x10, "a"}, {0x20, platform::Utf8ToGb18030("工厂")}};
    Panel();

    EXPECT_TRUE(panel->KeepCenterCheck()->isChecked());
    EXPECT_TRUE(panel->GridAlwaysRadio()->isChecked());
    EXPECT_TRUE(panel->HideGridCheck()->isChecked());
    EXPECT_FALSE(panel->HideFrameCheck()->isChecked());
    EXPECT_TRUE(panel->HideNameCheck()->isChecked());
    EXPECT_EQ(panel->HouseColorButton()->Color(), 0x0000ffu);
    EXPECT_EQ(panel->FactoryColorButton()->Color(), 0x00ff00u);
    EXPECT_EQ(panel->OtherColorButton()->Color(), 0xff0000u);
    EXPECT_FALSE(panel->HouseColorButton()->Embedded());
    EXPECT_EQ(Rows(), (std::vector<ListRow>{{0x20, QStringLiteral("工厂")}, {0x10, QStringLiteral("a")}}));

    EXPECT_EQ(panel->NameList()->columnCount(), 1);
    EXPECT_EQ(panel->NameList()->headerItem()->text(0), QStringLiteral("color"));
    EXPECT_EQ(panel->NameList()->columnWidth(0), 90);
    EXPECT_TRUE(panel->NameList()->isHeaderHidden());
    EXPECT_EQ(panel->NameList()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(panel->StoreNameButton()->text(), QStringLiteral("添加&&修改"));

    config.gridAuto = false;
    config.gridShow = false;
    Panel();
    EXPECT_TRUE(panel->GridNeverRadio()->isChecked());
    // Auto wins whatever gridShow says.
    config.gridAuto = true;
    config.gridShow = true;
    Panel();
    EXPECT_TRUE(panel->GridAutoRadio()->isChecked());
}

TEST_F(CViewSetDlgTest, TypedNamesLoseTheirBlanks)
{
    Panel();
    StoreName(0xff, QStringLiteral(" \tred \t  house  "));
    EXPECT_EQ(config.colorNames, (std::map<ColorRef, std::string>{{0xff, "redhouse"}}));
    EXPECT_EQ(Rows(), (std::vector<ListRow>{{0xff, QStringLiteral("redhouse")}}));

    StoreName(0x1234, QStringLiteral(" 住宅 区 "));
    EXPECT_EQ(config.colorNames.at(0x1234), platform::Utf8ToGb18030("住宅区"));
    EXPECT_EQ(Rows().front(), (ListRow{0x1234, QStringLiteral("住宅区")}));
}

TEST_F(CViewSetDlgTest, StoringAgainReplacesAndKeepsOneRow)
{
    Panel();
    StoreName(0xff00, QStringLiteral("old"));
    StoreName(0xff00, QStringLiteral("new"));
    EXPECT_EQ(Rows(), (std::vector<ListRow>{{0xff00, QStringLiteral("new")}}));
    EXPECT_EQ(config.colorNames.size(), 1u);
}

TEST_F(CViewSetDlgTest, RowsRunFromTheHighestColour)
{
    Panel();
    StoreName(200, QStringLiteral("b"));
    StoreName(100, QStringLiteral("a"));
    StoreName(300, QStringLiteral("c"));
    EXPECT_EQ(Rows(), (std::vector<ListRow>{{300, QStringLiteral("c")}, {200, QStringLiteral("b")},
                                            {100, QStringLiteral("a")}}));
}

TEST_F(CViewSetDlgTest, DeleteTakesOnlyTheShownColour)
{
    config.colorNames = {{100, "a"}, {200, "b"}};
    Panel();
    DeleteName(150);
    EXPECT_EQ(config.colorNames.size(), 2u);
    EXPECT_EQ(Rows().size(), 2u);

    DeleteName(200);
    EXPECT_EQ(config.colorNames, (std::map<ColorRef, std::string>{{100, "a"}}));
    EXPECT_EQ(Rows(), (std::vector<ListRow>{{100, QStringLiteral("a")}}));
}

TEST_F(CViewSetDlgTest, SelectingARowFillsTheEditAndTheColourButton)
{
    config.colorNames = {{100, "a"}, {200, platform::Utf8ToGb18030("商店")}};
    Panel();
    panel->NameList()->setCurrentItem(panel->NameList()->topLevelItem(0));
    EXPECT_EQ(panel->NameEdit()->text(), QStringLiteral("商店"));
    EXPECT_EQ(panel->NameColorButton()->Color(), 200u);

    // Then renaming it changes that colour's entry.
    panel->NameEdit()->setText(QStringLiteral("店"));
    QTest::mouseClick(panel->StoreNameButton(), Qt::LeftButton);
    EXPECT_EQ(config.colorNames.at(200), platform::Utf8ToGb18030("店"));
    EXPECT_EQ(config.colorNames.size(), 2u);
}

TEST_F(CViewSetDlgTest, NeverGridIsStoredAsHide)
{
    Panel();
    Tick(panel->GridNeverRadio());
    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_FALSE(config.gridAuto);
    EXPECT_FALSE(config.gridShow);

    const auto file = folder.path / "written.cfg";
    ASSERT_TRUE(AppConfigFile::Write(file, config));
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("\nGridLine: Hide\n"), std::string::npos) << text.str();

    AppConfig reread{file};
    EXPECT_FALSE(reread.gridAuto);
    EXPECT_FALSE(reread.gridShow);
}

TEST_F(CViewSetDlgTest, DisplayEditsWaitForOk)
{
    Panel();
    Tick(panel->KeepCenterCheck());
    Tick(panel->HideFrameCheck());
    Tick(panel->GridAlwaysRadio());
    panel->FactoryColorButton()->SetColor(0x123456);
    // Names do not wait.
    StoreName(0x42, QStringLiteral("now"));

    EXPECT_FALSE(config.zoomKeepCenter);
    EXPECT_FALSE(config.hideBuildFrame);
    EXPECT_TRUE(config.gridAuto);
    EXPECT_EQ(config.factoryColor, AppConfig::kDefaultBuildColor);
    EXPECT_EQ(config.colorNames.at(0x42), "now");
    EXPECT_TRUE(panel->KeepCenterCheck()->isChecked());

    // Leaving by a panel switch keeps the edits on screen, still unapplied.
    panel->hide();
    panel->show();
    EXPECT_TRUE(panel->KeepCenterCheck()->isChecked());
    EXPECT_FALSE(config.zoomKeepCenter);

    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_TRUE(config.zoomKeepCenter);
    EXPECT_TRUE(config.hideBuildFrame);
    EXPECT_FALSE(config.hideBuildGrid);
    EXPECT_FALSE(config.gridAuto);
    EXPECT_TRUE(config.gridShow);
    EXPECT_EQ(config.factoryColor, 0x123456u);
    EXPECT_EQ(config.houseColor, AppConfig::kDefaultBuildColor);
}

TEST_F(CViewSetDlgTest, OnlyOkLeavesThePanel)
{
    Panel();
    QTest::keyClick(panel.get(), Qt::Key_Escape);
    QTest::keyClick(panel->NameEdit(), Qt::Key_Return);
    EXPECT_FALSE(panel->close());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(requests.panels.empty());
    EXPECT_EQ(requests.redraws, 0);

    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_EQ(requests.panels, std::vector<std::string>{"main"});
    EXPECT_EQ(requests.redraws, 1);
}
