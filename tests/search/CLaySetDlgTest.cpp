#include "config/AppConfig.h"
#include "demo/DemoTempFolder.h"
#include "msg/MsgCenter.h"
#include "panels/PanelRequestRecorder.h"
#include "search/CLaySetDlg.h"
#include "search/LaySettings.h"
#include "view/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class CLaySetDlgTest : public ::testing::Test {
protected:
    // The panel reads the settings when it is made, so each test makes it after setting them.
    CLaySetDlg& Panel()
    {
        panel = std::make_unique<CLaySetDlg>(center, config);
        panel->show();
        return *panel;
    }

    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    void ChooseFixed(const QString& budget)
    {
        QTest::mouseClick(panel->FixedRadio(), Qt::LeftButton);
        Retype(panel->BudgetEdit(), budget);
        QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    }

    DemoTempFolder folder;
    AppConfig config{folder.path / "ql.cfg"};
    MsgCenter& center = MsgCenter::Instance();
    PanelRequestRecorder requests{center};
    std::unique_ptr<CLaySetDlg> panel;
};

}  // namespace

TEST_F(CLaySetDlgTest, StartsFromTheSettings)
{
    config.autoMemory = false;
    config.memoryBudget = 500;
    config.maxBackLine = 12;
    Panel();
    EXPECT_TRUE(panel->FixedRadio()->isChecked());
    EXPECT_TRUE(panel->BudgetEdit()->isEnabled());
    EXPECT_EQ(panel->BudgetEdit()->text(), QStringLiteral("500"));
    EXPECT_EQ(panel->BackLineEdit()->text(), QStringLiteral("12"));

    config.autoMemory = true;
    Panel();
    EXPECT_TRUE(panel->AutoRadio()->isChecked());
    EXPECT_FALSE(panel->BudgetEdit()->isEnabled());
}

TEST_F(CLaySetDlgTest, ShowingRefreshesTheMemoryText)
{
    Panel();
    EXPECT_EQ(panel->AutoText()->text(), FromModelText(LaySettings::MemoryText(config)));
    EXPECT_TRUE(panel->AutoText()->text().startsWith(QStringLiteral("自动 (你当前共有 ")));

    // Shown again after the figures went stale: read afresh.
    panel->hide();
    config.totalMemory = -1;
    panel->show();
    EXPECT_NE(panel->AutoText()->text(), FromModelText(LaySettings::MemoryText(-1, config.availableMemory)));
    EXPECT_EQ(panel->AutoText()->text(), FromModelText(LaySettings::MemoryText(config)));
}

TEST_F(CLaySetDlgTest, FixedBudgetOutOfRangeIsCorrectedInTheEditToo)
{
    Panel();
    ChooseFixed(QStringLiteral("50"));
    EXPECT_FALSE(config.autoMemory);
    EXPECT_EQ(config.memoryBudget, 100);
    EXPECT_EQ(panel->BudgetEdit()->text(), QStringLiteral("100"));

    ChooseFixed(QStringLiteral("5000"));
    EXPECT_EQ(config.memoryBudget, 2024);
    EXPECT_EQ(panel->BudgetEdit()->text(), QStringLiteral("2024"));

    ChooseFixed(QString());
    EXPECT_EQ(config.memoryBudget, 100);
    EXPECT_EQ(panel->BudgetEdit()->text(), QStringLiteral("100"));
}

TEST_F(CLaySetDlgTest, BackLinesAreStoredHeldButTheEditKeepsTheTypedValue)
{
    Panel();
    Retype(panel->BackLineEdit(), QStringLiteral("150"));
    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_EQ(config.maxBackLine, 100);
    EXPECT_EQ(panel->BackLineEdit()->text(), QStringLiteral("150"));
}

TEST_F(CLaySetDlgTest, SwitchingToAutomaticKeepsTheFixedBudgetGreyed)
{
    Panel();
    ChooseFixed(QStringLiteral("700"));
    ASSERT_EQ(config.memoryBudget, 700);

    QTest::mouseClick(panel->AutoRadio(), Qt::LeftButton);
    EXPECT_FALSE(panel->BudgetEdit()->isEnabled());
    EXPECT_EQ(panel->BudgetEdit()->text(), QStringLiteral("700"));
    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_TRUE(config.autoMemory);
    EXPECT_EQ(panel->BudgetEdit()->text(), QStringLiteral("700"));

    QTest::mouseClick(panel->FixedRadio(), Qt::LeftButton);
    EXPECT_TRUE(panel->BudgetEdit()->isEnabled());
}

TEST_F(CLaySetDlgTest, ClickingTheMemoryTextChoosesAutomatic)
{
    config.autoMemory = false;
    Panel();
    QTest::mouseClick(panel->AutoText(), Qt::LeftButton);
    EXPECT_TRUE(panel->AutoRadio()->isChecked());
    EXPECT_FALSE(panel->BudgetEdit()->isEnabled());
}

TEST_F(CLaySetDlgTest, EditsTakeDigitsOnly)
{
    config.autoMemory = false;
    Panel();
    Retype(panel->BudgetEdit(), QStringLiteral("3a0-0 "));
    EXPECT_EQ(panel->BudgetEdit()->text(), QStringLiteral("300"));
    Retype(panel->BackLineEdit(), QStringLiteral("-5"));
    EXPECT_EQ(panel->BackLineEdit()->text(), QStringLiteral("5"));
}

TEST_F(CLaySetDlgTest, OkReturnsToTheMainPanelAndNothingElseDoes)
{
    Panel();
    Retype(panel->BackLineEdit(), QStringLiteral("20"));
    QTest::mouseClick(panel->FixedRadio(), Qt::LeftButton);
    QTest::keyClick(panel.get(), Qt::Key_Escape);
    QTest::keyClick(panel->BackLineEdit(), Qt::Key_Return);
    EXPECT_FALSE(panel->close());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(requests.panels.empty());
    EXPECT_TRUE(config.autoMemory);
    EXPECT_EQ(config.maxBackLine, 8);

    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_EQ(requests.panels, std::vector<std::string>{"main"});
    EXPECT_EQ(config.maxBackLine, 20);
}

TEST_F(CLaySetDlgTest, LayoutModeAndTimeLimitReachTheSettingsOnlyThroughOk)
{
    config.layoutSeconds = 10;
    Panel();
    EXPECT_TRUE(panel->BeamRadio()->isChecked());
    EXPECT_FALSE(panel->SecondsEdit()->isEnabled());
    // The mode radios are a group of their own: the memory choice stays.
    QTest::mouseClick(panel->OptimisedRadio(), Qt::LeftButton);
    EXPECT_TRUE(panel->SecondsEdit()->isEnabled());
    EXPECT_TRUE(panel->AutoRadio()->isChecked());
    Retype(panel->SecondsEdit(), QStringLiteral("0"));
    EXPECT_FALSE(config.optimisedLayout);
    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_TRUE(config.optimisedLayout);
    EXPECT_EQ(config.layoutSeconds, 1);
    EXPECT_EQ(panel->SecondsEdit()->text(), QStringLiteral("1"));

    Retype(panel->SecondsEdit(), QStringLiteral("45"));
    // On the radio's mark: a click beside its short text is no click.
    QTest::mouseClick(panel->BeamRadio(), Qt::LeftButton, {}, QPoint(6, panel->BeamRadio()->height() / 2));
    QTest::mouseClick(panel->OkButton(), Qt::LeftButton);
    EXPECT_FALSE(config.optimisedLayout);
    EXPECT_EQ(config.layoutSeconds, 45);
}
