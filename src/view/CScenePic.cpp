#include "view/CScenePic.h"

#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "config/AppConfig.h"
#include "scene/Scene.h"
#include "scene/SceneTypes.h"
#include "view/QtText.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

constexpr int kMenuSlack = 4;

std::int32_t ClampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

CScenePic::CScenePic(MsgCenter& center, Scene& scene, AppConfig& config, QWidget* parent)
    : QWidget(parent), center_(center), scene_(scene), selection_(scene),
      painter_(center, scene, selection_, config, this), menu_(center, selection_),
      houseColourValue_(config.houseColor), otherColourValue_(config.factoryColor)
{
    setMouseTracking(true);  // the building preview follows the pointer without a button held
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetViewSize(ViewGeometry::kInitialViewSize + 2 * ViewGeometry::kMargin,
                ViewGeometry::kInitialViewSize + 2 * ViewGeometry::kMargin);
}

CScenePic::~CScenePic() = default;

void CScenePic::SetViewSize(int width, int height)
{
    resize(width, height);
    painter_.SetSize(width, height);
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
    // A sideways scroll carries no vertical delta and must not zoom out.
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    painter_.ZoomStep(delta);
    update();
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
        QAction* action = popup_->addAction(FromModelText(item.text));
        action->setEnabled(item.enabled);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { RunMenuAction(id); });
    }
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
