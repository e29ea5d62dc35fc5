#include "PalettePointer.h"
#include "config/AppConfig.h"
#include "panels/CColorPaletteButton.h"
#include "panels/ColorPaletteWindow.h"
#include "platform/TextCodec.h"

#include <QApplication>
#include <QBitmap>
#include <QColorDialog>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using palette_pointer::CellCentre;
using palette_pointer::Choose;
using palette_pointer::Hover;

constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
constexpr ColorRef kBlue = MakeColorRef(0, 0, 255);
constexpr ColorRef kRed = MakeColorRef(255, 0, 0);
constexpr ColorRef kStart = MakeColorRef(12, 34, 56);

class ColorPaletteTest : public ::testing::Test {
protected:
    ~ColorPaletteTest() override
    {
        host.reset();
        // Closed palettes go with deleteLater.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A button with colour kStart in a shown window at `at` on the screen;
    // the window has room for an embedded palette only.
    CColorPaletteButton* MakeButton(bool embedded, QPoint at = QPoint(100, 100))
    {
        host = std::make_unique<QWidget>();
        host->setGeometry(QRect(at, embedded ? QSize(200, 180) : QSize(196, 28)));
        auto* button = new CColorPaletteButton(config, embedded, host.get());
        button->setGeometry(0, 0, 196, 28);
        button->SetColor(kStart);
        host->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        return button;
    }

    ColorPaletteWindow* Open(CColorPaletteButton* button)
    {
        button->OpenPalette();
        EXPECT_TRUE(button->PaletteOpen());
        return button->Palette();
    }

    QTemporaryDir folder;
    AppConfig config{std::filesystem::path(folder.path().toStdString()) / "ql.cfg"};
    std::unique_ptr<QWidget> host;
};

}  // namespace

TEST_F(ColorPaletteTest, HoveredCellsGiveTheirColourCodeAndName)
{
    config.colorNames[kRed] = platform::Utf8ToGb18030("大红");
    ColorPaletteWindow* palette = Open(MakeButton(false));
    EXPECT_EQ(palette->CurrentColor(), kStart);
    EXPECT_EQ(palette->HoveredIndex(), -1);

    const struct {
        int column;
        int row;
        ColorRef colour;
        QString text;
    } cells[] = {
        {0, 11, kBlack, QStringLiteral("#000000 ")},     {1, 0, kBlack, QStringLiteral("#000000 ")},
        {18, 11, kWhite, QStringLiteral("#FFFFFF ")},    {1, 5, kBlue, QStringLiteral("#0000FF ")},
        {13, 6, kRed, QStringLiteral("#FF0000 大红")},
    };
    for (const auto& cell : cells) {
        Hover(palette, CellCentre(cell.column, cell.row));
        EXPECT_EQ(palette->HoveredIndex(), cell.column + 19 * cell.row);
        EXPECT_EQ(palette->CurrentColor(), cell.colour);
        EXPECT_EQ(palette->TextLine(), cell.text);
    }
}

TEST_F(ColorPaletteTest, GridLinesAndTheStripHaveNoCellAndChooseNothing)
{
    auto* button = MakeButton(false);
    QSignalSpy commands(button, &CColorPaletteButton::colorCommand);
    ColorPaletteWindow* palette = Open(button);
    Hover(palette, CellCentre(1, 5));
    for (const QPoint line : {QPoint(30, 55), QPoint(55, 40), QPoint(0, 55), QPoint(55, 0)}) {
        Hover(palette, line);
        EXPECT_EQ(palette->HoveredIndex(), -1);
        EXPECT_TRUE(palette->PointerInSwatchArea());
        EXPECT_EQ(palette->CurrentColor(), kBlue);
    }
    EXPECT_EQ(palette->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(palette->cursor().hotSpot(), QPoint(0, 15));

    Choose(palette, QPoint(100, 135));
    EXPECT_FALSE(palette->PointerInSwatchArea());
    EXPECT_EQ(palette->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(button->PaletteOpen());
    EXPECT_EQ(commands.count(), 0);
}

TEST_F(ColorPaletteTest, PickerCursorIsDrawnFromItsMasks)
{
    ColorPaletteWindow* palette = Open(MakeButton(false));
    Hover(palette, CellCentre(4, 4));
    const QImage shape = palette->cursor().bitmap().toImage();
    const QImage mask = palette->cursor().mask().toImage();
    // Opaque black at the hot spot, white along the tip's edge, transparent in the corner.
    EXPECT_EQ(QColor(shape.pixel(0, 15)), QColor(Qt::black));
    EXPECT_EQ(QColor(mask.pixel(0, 15)), QColor(Qt::black));
    EXPECT_EQ(QColor(shape.pixel(12, 1)), QColor(Qt::white));
    EXPECT_EQ(QColor(mask.pixel(12, 1)), QColor(Qt::black));
    EXPECT_EQ(QColor(mask.pixel(0, 0)), QColor(Qt::white));
}

TEST_F(ColorPaletteTest, EscapeInAPopupClosesItAndKeepsTheColour)
{
    auto* button = MakeButton(false);
    QSignalSpy commands(button, &CColorPaletteButton::colorCommand);
    QPointer<ColorPaletteWindow> palette = Open(button);
    Hover(palette, CellCentre(1, 5));
    QTest::keyClick(palette, Qt::Key_Escape);
    EXPECT_FALSE(button->PaletteOpen());
    EXPECT_EQ(button->Color(), kStart);
    EXPECT_EQ(commands.count(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(palette.isNull());
}

TEST_F(ColorPaletteTest, OnlyAChangedColourIsAnnounced)
{
    auto* button = MakeButton(false);
    button->SetColor(kBlue);
    QSignalSpy commands(button, &CColorPaletteButton::colorCommand);
    Choose(Open(button), CellCentre(1, 5));
    EXPECT_EQ(commands.count(), 0);
    EXPECT_FALSE(button->PaletteOpen());

    Choose(Open(button), CellCentre(13, 6));
    EXPECT_EQ(commands.count(), 1);
    EXPECT_EQ(button->Color(), kRed);
    EXPECT_FALSE(button->PaletteOpen());

    // Losing the activation over the swatches chooses as well.
    ColorPaletteWindow* palette = Open(button);
    Hover(palette, CellCentre(0, 11));
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(palette, &deactivate);
    EXPECT_EQ(button->Color(), kBlack);
    EXPECT_FALSE(button->PaletteOpen());
}

TEST_F(ColorPaletteTest, PressOnTheButtonOpensThePopupBelowItHoldingThePointer)
{
    auto* button = MakeButton(false);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(button->PaletteOpen());
    ColorPaletteWindow* palette = button->Palette();
    EXPECT_TRUE(palette->isWindow());
    EXPECT_EQ(palette->windowTitle(), QStringLiteral("Palatte"));
    EXPECT_EQ(palette->size(), QSize(191, 150));
    EXPECT_EQ(palette->pos(), button->mapToGlobal(QPoint(0, button->height() - 1)));
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(QWidget::mouseGrabber(), palette);

    // Let go only over the more-colours button, so that it can be clicked.
    Hover(palette, palette->MoreColorsButton()->geometry().center());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    Hover(palette, QPoint(100, 135));
    EXPECT_EQ(QWidget::mouseGrabber(), palette);

    const QRect outer = palette->frameGeometry();
    Hover(palette, QPoint(-40, 60));
    EXPECT_EQ(QCursor::pos(), QPoint(outer.left(), outer.top() + 60));
    Hover(palette, QPoint(300, 400));
    EXPECT_EQ(QCursor::pos(), outer.bottomRight());
    EXPECT_TRUE(button->PaletteOpen());
}

TEST_F(ColorPaletteTest, PopupNearTheScreenEdgesStaysOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    auto* button = MakeButton(false, QPoint(screen.right() - 100, 50));
    ColorPaletteWindow* palette = Open(button);
    EXPECT_EQ(palette->geometry().right(), screen.right());
    EXPECT_EQ(palette->y(), button->mapToGlobal(QPoint(0, button->height() - 1)).y());

    // Too low for the palette: it opens above the button.
    button = MakeButton(false, QPoint(20, screen.bottom() - 60));
    palette = Open(button);
    EXPECT_EQ(palette->x(), button->mapToGlobal(QPoint(0, 0)).x());
    EXPECT_EQ(palette->y(), button->mapToGlobal(QPoint(0, button->height())).y() - 151);
}

TEST_F(ColorPaletteTest, EmbeddedPaletteSitsUnderTheButtonAndStaysOpen)
{
    auto* button = MakeButton(true);
    QSignalSpy commands(button, &CColorPaletteButton::colorCommand);
    ColorPaletteWindow* palette = Open(button);
    EXPECT_EQ(palette->parentWidget(), host.get());
    EXPECT_EQ(palette->geometry(), QRect(3, button->height() - 1, 191, 150));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    Choose(palette, CellCentre(18, 11));
    Choose(palette, CellCentre(1, 5));
    EXPECT_EQ(button->Color(), kBlue);
    EXPECT_EQ(commands.count(), 2);
    EXPECT_EQ(button->Palette(), palette);

    // Outside, the embedded palette leaves the pointer alone.
    const QPoint before = QCursor::pos();
    Hover(palette, QPoint(-30, 20));
    EXPECT_EQ(QCursor::pos(), before);

    // Pressed on a swatch, dragged off and released: nothing is chosen.
    Hover(palette, CellCentre(18, 11));
    QTest::mousePress(palette, Qt::LeftButton, {}, CellCentre(18, 11));
    Hover(palette, QPoint(250, 20));
    EXPECT_FALSE(palette->PointerInSwatchArea());
    QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(250, 20));
    // The same without a move event on the way.
    Hover(palette, CellCentre(18, 11));
    QTest::mousePress(palette, Qt::LeftButton, {}, CellCentre(18, 11));
    QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(-5, 300));
    EXPECT_EQ(button->Color(), kBlue);
    EXPECT_EQ(commands.count(), 2);

    QPointer<ColorPaletteWindow> watch(palette);
    delete button;
    EXPECT_TRUE(watch.isNull());

    CColorPaletteButton lonely(config, true);
    lonely.OpenPalette();
    EXPECT_FALSE(lonely.PaletteOpen());
}

TEST_F(ColorPaletteTest, MoreColoursStartsTheColourDialogWithBlack)
{
    auto* button = MakeButton(false);
    QSignalSpy commands(button, &CColorPaletteButton::colorCommand);
    const auto answerDialog = [](QColor* offered, bool accept) {
        QTimer::singleShot(0, [offered, accept] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            *offered = dialog->currentColor();
            dialog->setCurrentColor(QColor(10, 20, 30));
            accept ? dialog->accept() : dialog->reject();
        });
    };
    QColor offered;
    answerDialog(&offered, false);
    Open(button)->MoreColorsButton()->click();
    EXPECT_EQ(offered, QColor(Qt::black));
    EXPECT_FALSE(button->PaletteOpen());
    EXPECT_EQ(commands.count(), 0);

    answerDialog(&offered, true);
    Open(button)->MoreColorsButton()->click();
    EXPECT_EQ(button->Color(), MakeColorRef(10, 20, 30));
    EXPECT_EQ(commands.count(), 1);
}

TEST_F(ColorPaletteTest, ButtonShowsItsColourInARaisedFrameOnlyWhileClosed)
{
    auto* button = MakeButton(false);
    const QImage closed = button->grab().toImage();
    EXPECT_EQ(closed.pixelColor(button->width() / 2, button->height() / 2), QColor(12, 34, 56));
    EXPECT_EQ(closed.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(closed.pixel(3, 3), button->palette().color(QPalette::Shadow).rgb());

    Open(button);
    EXPECT_EQ(button->grab().toImage().pixel(0, 0), button->palette().color(QPalette::Button).rgb());
}

// Also saved as palette.png (and a 4× palette_x4.png) beside the test program for a look by eye.
TEST_F(ColorPaletteTest, RenderedPaletteShowsSwatchesStripAndButton)
{
    config.colorNames[MakeColorRef(255, 153, 204)] = platform::Utf8ToGb18030("桃红色");
    ColorPaletteWindow* palette = Open(MakeButton(false));
    Hover(palette, CellCentre(16, 10));
    const QImage image = palette->grab().toImage();
    const QDir here(QCoreApplication::applicationDirPath());
    image.save(here.filePath(QStringLiteral("palette.png")));
    image.scaled(image.size() * 4).save(here.filePath(QStringLiteral("palette_x4.png")));

    ASSERT_EQ(image.size(), QSize(191, 150));
    for (const QPoint border : {QPoint(0, 0), QPoint(0, 135), QPoint(190, 60), QPoint(190, 135), QPoint(95, 149)})
        EXPECT_EQ(image.pixelColor(border), QColor(Qt::black)) << border.x() << "," << border.y();
    EXPECT_EQ(image.pixelColor(CellCentre(0, 0)), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(CellCentre(1, 5)), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(CellCentre(9, 8)), QColor(204, 102, 102));
    EXPECT_EQ(image.pixelColor(30, 55), QColor(Qt::black));         // grid line
    EXPECT_EQ(image.pixelColor(100, 146), QColor(192, 192, 192));   // strip
    EXPECT_EQ(image.pixelColor(6, 126), QColor(Qt::black));         // preview frame
    EXPECT_EQ(image.pixelColor(20, 135), QColor(255, 153, 204));    // preview
    EXPECT_EQ(image.pixelColor(168 + 4, 127 + 4), QColor(Qt::red));  // more-colours squares
    EXPECT_EQ(image.pixelColor(168 + 9, 127 + 9), QColor(Qt::yellow));
    EXPECT_EQ(palette->TextLine(), QStringLiteral("#FF99CC 桃红色"));
}
