#include "PalettePointer.h"
#include "config/AppConfig.h"
#include "panels/CColorInputDlg.h"
#include "panels/CColorPaletteButton.h"
#include "panels/ColorPaletteWindow.h"
#include "panels/DialogUnits.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

constexpr ColorRef kInitial = MakeColorRef(12, 34, 56);
constexpr ColorRef kBlue = MakeColorRef(0, 0, 255);
constexpr ColorRef kRed = MakeColorRef(255, 0, 0);

using palette_pointer::CellCentre;
using palette_pointer::Choose;

class CColorInputDlgTest : public ::testing::Test {
protected:
    // Runs the dialog modally, `act` playing the user once it is open.
    int Run(CColorInputDlg& dialog, std::function<void()> act)
    {
        QTimer::singleShot(0, &dialog, act);
        return dialog.exec();
    }

    QTemporaryDir folder;
    AppConfig config{std::filesystem::path(folder.path().toStdString()) / "ql.cfg"};
};

}  // namespace

TEST_F(CColorInputDlgTest, OpensWithItsPaletteUnderTheColourSwatch)
{
    CColorInputDlg dialog(kInitial, config);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("颜色选择"));
    EXPECT_EQ(dialog.size(), dialog_units::ToPixels(0, 0, 131, 135).size());
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("确认"));
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("取消"));
    EXPECT_TRUE(dialog.OkButton()->isDefault());

    CColorPaletteButton* swatch = dialog.PaletteButton();
    EXPECT_EQ(swatch->geometry(), dialog_units::ToPixels(0, 0, 131, 17));
    EXPECT_TRUE(swatch->Embedded());
    EXPECT_EQ(swatch->Color(), kInitial);
    ASSERT_TRUE(swatch->PaletteOpen());
    ColorPaletteWindow* palette = swatch->Palette();
    EXPECT_EQ(palette->parentWidget(), &dialog);
    EXPECT_EQ(palette->pos(), QPoint(3, swatch->height() - 1));
    EXPECT_EQ(palette->StartColor(), kInitial);
    // The buttons stay clear of the palette.
    EXPECT_GT(dialog.OkButton()->y(), palette->geometry().bottom());
    EXPECT_LE(dialog.OkButton()->geometry().bottom(), dialog.height());
}

TEST_F(CColorInputDlgTest, OkReturnsTheLastChosenColour)
{
    CColorInputDlg dialog(kInitial, config);
    ColorPaletteWindow* palette = dialog.PaletteButton()->Palette();
    const int answer = Run(dialog, [&] {
        Choose(palette, CellCentre(13, 6));
        Choose(palette, CellCentre(1, 5));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(answer, QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), kBlue);
}

TEST_F(CColorInputDlgTest, CancelAndEscapeEndWithoutAnAnswer)
{
    CColorInputDlg dialog(kInitial, config);
    ColorPaletteWindow* palette = dialog.PaletteButton()->Palette();
    const int cancelled = Run(dialog, [&] {
        Choose(palette, CellCentre(13, 6));
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(cancelled, QDialog::Rejected);
    EXPECT_EQ(dialog.Result(), kInitial);

    CColorInputDlg escaped(kInitial, config);
    EXPECT_EQ(Run(escaped, [&] { QTest::keyClick(&escaped, Qt::Key_Escape); }), QDialog::Rejected);
    EXPECT_EQ(escaped.Result(), kInitial);
}
