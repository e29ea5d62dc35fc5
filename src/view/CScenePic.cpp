#include "view/CScenePic.h"

#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "config/AppConfig.h"
#include "scene/Scene.h"
#include "scene/SceneTypes.h"
#include "platform/TextCodec.h"
#include "view/ImageExportDlg.h"
#include "view/MapPicture.h"
#include "view/QtText.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr int kMenuSlack = 4;

std::int32_t ClampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

CScenePic::CScenePic(MsgCenter& center, Scene& scene, AppConfig& config, QWidget* parent)
    : QWidget(parent), center_(center), scene_(scene), config_(config), selection_(scene),
      painter_(center, scene, selection_, config, this), menu_(center, selection_),
      exportAction_(new QAction(tr("导出图片..."), this)),
      horizontalBar_(new QScrollBar(Qt::Horizontal, this)), verticalBar_(new QScrollBar(Qt::Vertical, this)),
      houseColourValue_(config.houseColor), otherColourValue_(config.factoryColor)
{
    setMouseTracking(true);  // the building preview follows the pointer without a button held
    setFocusPolicy(Qt::StrongFocus);  // the keys zoom and pan
    setAttribute(Qt::WA_OpaquePaintEvent);
    exportAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(exportAction_);
    connect(exportAction_, &QAction::triggered, this, &CScenePic::ExportImage);
    for (QScrollBar* bar : {horizontalBar_, verticalBar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setCursor(Qt::ArrowCursor);
        connect(bar, &QScrollBar::valueChanged, this, &CScenePic::ScrollBarMoved);
    }
    SetViewSize(ViewGeometry::kInitialViewSize + 2 * ViewGeometry::kMargin,
                ViewGeometry::kInitialViewSize + 2 * ViewGeometry::kMargin);
}

CScenePic::~CScenePic() = default;

void CScenePic::SetViewSize(int width, int height)
{
    resize(width, height);
    painter_.SetSize(width, height);
    PlaceScrollBars();
    SyncScrollBars();
    update();
}

void CScenePic::PlaceScrollBars()
{
    const ViewGeometry& g = painter_.Geometry();
    const int m = g.Margin();
    const int thickness = std::min(style()->pixelMetric(QStyle::PM_ScrollBarExtent), m - 8);
    const int offset = (m - thickness) / 2;
    horizontalBar_->setGeometry(m, m + g.ViewHeight() + offset, g.ViewWidth(), thickness);
    verticalBar_->setGeometry(m + g.ViewWidth() + offset, m, thickness, g.ViewHeight());
}

void CScenePic::SyncScrollBars()
{
    // The view changes through messages and gestures alike; every change repaints, so the bars follow here.
    const ViewGeometry& g = painter_.Geometry();
    const int mapPixels = GridSize * g.CellSize();
    const auto sync = [&g](QScrollBar* bar, int limit, int value, int page) {
        const QSignalBlocker quiet(bar);
        bar->setVisible(limit > 0);
        bar->setRange(0, std::max(0, limit));
        bar->setPageStep(std::max(1, page));
        bar->setSingleStep(g.CellSize());
        bar->setValue(value);
    };
    sync(horizontalBar_, mapPixels - g.ViewWidth(), g.ScrollX(), g.ViewWidth());
    sync(verticalBar_, mapPixels - g.ViewHeight(), g.ScrollY(), g.ViewHeight());
}

void CScenePic::ScrollBarMoved()
{
    painter_.ScrollTo(horizontalBar_->value(), verticalBar_->value());
    SyncScrollBars();
    update();
}

void CScenePic::Zoom(int steps)
{
    for (; steps > 0; --steps)
        painter_.ZoomStep(1);
    for (; steps < 0; ++steps)
        painter_.ZoomStep(-1);
    update();
}

void CScenePic::SelectTool(ToolKind kind, int width, int height, bool houseColour)
{
    tool_ = kind;
    buildWidth_ = width;
    buildHeight_ = height;
    houseColour_ = houseColour;
    leftDrag_ = false;
    panning_ = false;
    rulerStarted_ = false;
    painter_.HidePreviews();
    selection_.Clear();
    UpdateCursor();
    update();
}

void CScenePic::SetColours(ColorRef house, ColorRef other)
{
    houseColourValue_ = house;
    otherColourValue_ = other;
}

void CScenePic::RunMenuAction(int id)
{
    menu_.Run(id);
    update();
}

void CScenePic::ExportImage()
{
    ImageExportDlg options(painter_.Geometry().CellSize(), this);
    if (options.exec() != QDialog::Accepted)
        return;
    const QString file = QFileDialog::getSaveFileName(this, tr("导出图片"), tr("地图.png"), tr("PNG 图片 (*.png);;SVG 图片 (*.svg)"));
    if (file.isEmpty())
        return;
    if (!ExportImageTo(platform::PathFromUtf8(file.toStdString()), options.WholeMap(), options.CellSize()))
        QMessageBox::warning(this, tr("导出图片"), tr("无法写入图片文件 %1。").arg(file));
}

bool CScenePic::ExportImageTo(const std::filesystem::path& file, bool wholeMap, int cellSize) const
{
    const std::optional<MapPicture::CellArea> area =
        wholeMap ? MapPicture::WholeMapArea() : MapPicture::AreaInView(painter_.Geometry());
    if (!area)
        return false;
    const MapPicture pictures(center_, scene_, config_);
    // A name ending in ".svg" asks for the drawing as SVG; any other gets PNG.
    if (QString::fromStdU16String(file.extension().u16string()).compare(QStringLiteral(".svg"), Qt::CaseInsensitive) == 0)
        return MapPicture::SaveBytes(pictures.DrawSvg(cellSize, *area), file);
    return MapPicture::SavePng(pictures.Draw(cellSize, *area), file);
}

bool CScenePic::OpensMenu(QPoint press, QPoint release)
{
    return std::abs(release.x() - press.x()) <= kMenuSlack && std::abs(release.y() - press.y()) <= kMenuSlack;
}

Mark CScenePic::RulerBetween(GridPoint start, GridPoint end)
{
    const std::int64_t dx = std::abs(std::int64_t{end.x} - start.x);
    const std::int64_t dy = std::abs(std::int64_t{end.y} - start.y);
    if (dy >= dx)
        return Mark{start.x, start.y, start.x, end.y};
    return Mark{start.x, start.y, end.x, start.y};
}

void CScenePic::paintEvent(QPaintEvent*)
{
    SyncScrollBars();
    QPainter target(this);
    painter_.Paint(target);
}

bool CScenePic::DragsRectangles() const
{
    return tool_ == ToolKind::Pointer || tool_ == ToolKind::Soil || tool_ == ToolKind::Erase ||
           tool_ == ToolKind::Wall || tool_ == ToolKind::Road;
}

void CScenePic::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        LeftPress(at);
    else if (event->button() == Qt::RightButton)
        RightPress(at);
    else
        QWidget::mousePressEvent(event);
}

void CScenePic::LeftPress(QPoint at)
{
    if (DragsRectangles())
        painter_.SetDragRect(at.x(), at.y(), at.x(), at.y());
    else if (tool_ == ToolKind::Ruler)
        RulerClick(at);
    else if (tool_ == ToolKind::Building)
        PlaceBuilding(at);
    update();
    leftDrag_ = true;
    pressPoint_ = at;
    setFocus(Qt::MouseFocusReason);
}

void CScenePic::RulerClick(QPoint at)
{
    if (!rulerStarted_) {
        rulerStarted_ = true;
        painter_.SetRulerPreview(at, at);
        return;
    }
    const GridPoint start = painter_.CellOfPixel(pressPoint_.x(), pressPoint_.y());
    const GridPoint end = painter_.CellOfPixel(at.x(), at.y());
    CmdList::Instance().Add(std::make_unique<AddMark_CMD>(RulerBetween(start, end)));
    painter_.HidePreviews();
    rulerStarted_ = false;
}

CellRect CScenePic::BuildingFootprint(GridPoint cell) const
{
    return CellRect{cell.x, cell.y, ClampToInt32(std::int64_t{cell.x} + buildWidth_ - 1),
                    ClampToInt32(std::int64_t{cell.y} + buildHeight_ - 1)};
}

bool CScenePic::Fits(const CellRect& footprint) const
{
    return scene_.RectAll(footprint.x1, footprint.y1, buildWidth_, buildHeight_, CellSoil);
}

void CScenePic::PlaceBuilding(QPoint at)
{
    const CellRect footprint = BuildingFootprint(painter_.CellOfPixel(at.x(), at.y()));
    if (!Fits(footprint)) {
        QApplication::beep();
        return;
    }
    const ColorRef colour = houseColour_ ? houseColourValue_ : otherColourValue_;
    CmdList::Instance().Add(
        std::make_unique<AddBuild_CMD>(Build{footprint.x1, footprint.y1, buildWidth_, buildHeight_, {}, colour}));
}

void CScenePic::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (panning_) {
        UpdateCursor();
        painter_.Pan(lastPanPoint_.x() - at.x(), lastPanPoint_.y() - at.y(), false);
        lastPanPoint_ = at;
        update();
        return;
    }
    if (DragsRectangles()) {
        if (leftDrag_) {
            painter_.SetDragRect(pressPoint_.x(), pressPoint_.y(), at.x(), at.y());
            update();
        }
    } else if (tool_ == ToolKind::Ruler) {
        if (rulerStarted_) {
            painter_.SetRulerPreview(pressPoint_, at);
            update();
        }
    } else if (tool_ == ToolKind::Building) {
        const CellRect footprint = BuildingFootprint(painter_.CellOfPixel(at.x(), at.y()));
        painter_.SetBuildingPreview(footprint, Fits(footprint));
        update();
    }
}

void CScenePic::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        LeftRelease(at);
    else if (event->button() == Qt::RightButton)
        RightRelease(at);
    else
        QWidget::mouseReleaseEvent(event);
}

void CScenePic::LeftRelease(QPoint at)
{
    // A release whose press this view did not see (or that a tool change
    // ended) has no press point to make a rectangle from.
    const bool pressed = leftDrag_;
    leftDrag_ = false;
    if (!pressed || !DragsRectangles())
        return;
    painter_.HidePreviews();
    const CellRect rect = painter_.CellRectOfDrag(pressPoint_.x(), pressPoint_.y(), at.x(), at.y());
    if (InGrid(rect.x1, rect.y1) && InGrid(rect.x2, rect.y2)) {
        if (!(QGuiApplication::keyboardModifiers() & Qt::ControlModifier))
            selection_.Clear();
        selection_.Add(rect);
        ApplyToolToSelection();
    }
    update();
}

void CScenePic::ApplyToolToSelection()
{
    switch (tool_) {
    case ToolKind::Soil:
        selection_.FillSoil();
        break;
    case ToolKind::Erase:
        selection_.Erase();
        break;
    case ToolKind::Road:
        selection_.FillRoad();
        break;
    case ToolKind::Wall:
        selection_.FillWall();
        break;
    default:
        break;
    }
}

void CScenePic::RightPress(QPoint at)
{
    panPressPoint_ = at;
    lastPanPoint_ = at;
    panning_ = true;
    UpdateCursor();
    setFocus(Qt::MouseFocusReason);
}

void CScenePic::RightRelease(QPoint at)
{
    if (!panning_)
        return;
    painter_.Pan(lastPanPoint_.x() - at.x(), lastPanPoint_.y() - at.y(), true);
    update();
    panning_ = false;
    UpdateCursor();
    if (OpensMenu(panPressPoint_, at))
        OpenContextMenu(QCursor::pos());
}

void CScenePic::wheelEvent(QWheelEvent* event)
{
    // With or without Ctrl the wheel zooms, by the angle turned. A sideways
    // scroll carries no vertical delta and must not zoom out.
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    Zoom(wheel_.Add(delta));
    event->accept();
}

void CScenePic::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        if (selection_.HasRulers())
            selection_.DeleteRulers();
        else if (selection_.HasBuildings())
            selection_.DeleteBuildings();
        else
            return QWidget::keyPressEvent(event);
        update();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        Zoom(1);
        return;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        Zoom(-1);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int cells = kArrowCells * painter_.Geometry().CellSize();
        const int dx = event->key() == Qt::Key_Left ? -cells : event->key() == Qt::Key_Right ? cells : 0;
        const int dy = event->key() == Qt::Key_Up ? -cells : event->key() == Qt::Key_Down ? cells : 0;
        painter_.Pan(dx, dy, true);
        update();
        return;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}

void CScenePic::OpenContextMenu(QPoint globalPos)
{
    if (popup_ == nullptr)
        popup_ = new QMenu(this);
    popup_->clear();
    for (const SceneMenuItem& item : menu_.Items()) {
        if (item.separator) {
            popup_->addSeparator();
            continue;
        }
        QAction* action = popup_->addAction(Translated(item.text));
        action->setEnabled(item.enabled);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { RunMenuAction(id); });
    }
    popup_->addSeparator();
    popup_->addAction(exportAction_);
    popup_->popup(globalPos);
}

void CScenePic::UpdateCursor()
{
    if (panning_) {
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    switch (tool_) {
    case ToolKind::Soil:
        setCursor(cursors_.Brush());
        break;
    case ToolKind::Erase:
        setCursor(cursors_.Eraser());
        break;
    case ToolKind::Ruler:
        setCursor(cursors_.PointingHand());
        break;
    case ToolKind::Building:
        setCursor(cursors_.RaisedFinger());
        break;
    default:
        unsetCursor();
        break;
    }
}
