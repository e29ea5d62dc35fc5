#include "app/MainDlg.h"

#include "app/CStrInputDlg.h"
#include "app/MapActions.h"
#include "app/RoadSetting.h"
#include "config/AppConfig.h"
#include "msg/MsgCenter.h"
#include "demo/CShowDlg.h"
#include "panels/CColorInputDlg.h"
#include "panels/COperaterDlg.h"
#include "panels/CViewSetDlg.h"
#include "search/CLaySetDlg.h"
#include "search/CSearchInfoDlg.h"
#include "tooltip/GridTip.h"
#include "view/CScenePic.h"
#include "view/QtText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

namespace {

constexpr int kDialogWidth = MainLayout::kPanelLeft + MainLayout::kPanelWidth;
constexpr int kDialogHeight = MainLayout::kViewSize;

std::filesystem::path PathOfLocalFile(const QString& file)
{
#ifdef _WIN32
    return std::filesystem::path(file.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(file).toStdString());
#endif
}

MainLayout::SizeKind SizeKindOf(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized)
        return MainLayout::SizeKind::Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return MainLayout::SizeKind::Maximized;
    return MainLayout::SizeKind::Restored;
}

}  // namespace

MainDlg::MainDlg(MsgCenter& center, Scene& scene, AppConfig& config, QWidget* parent)
    : QDialog(parent),
      center_(center),
      scene_(scene),
      config_(config),
      mapView_(new CScenePic(center, scene, config, this)),
      tip_(new GridTip(this)),
      aboutAction_(new QAction(QStringLiteral("&About QuarrinLayvane..."), this)),
      actions_(new MapActions(center, scene, config, *mapView_, this))
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    setMinimumSize(MainLayout::kMinClientWidth, MainLayout::kMinClientHeight);
    resize(kDialogWidth, kDialogHeight);

    const LayoutBox& view = layout_.View();
    mapView_->move(view.x, view.y);
    mapView_->SetViewSize(view.width, view.height);

    // No window system menu here: F1 and the context menu offer the about box.
    aboutAction_->setShortcut(QKeySequence(Qt::Key_F1));
    aboutAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(aboutAction_);
    connect(aboutAction_, &QAction::triggered, this, &MainDlg::ShowAbout);

    AddPanel(kMainPanel, new QWidget);
    qApp->installEventFilter(this);

    center_.Register(this, &MainDlg::OnChangePanel);
    center_.Register(this, &MainDlg::OnInputString);
    center_.Register(this, &MainDlg::OnInputColor);
    center_.Register(this, &MainDlg::OnSearchInfoDoModle);
    center_.Register(this, &MainDlg::OnUpdateGridView);
    center_.Register(this, &MainDlg::OnBuildBringRoad);
    center_.Register(this, &MainDlg::OnShowGridTip);
    center_.Register(this, &MainDlg::OnHideGridTip);
}

MainDlg::~MainDlg()
{
    center_.Unregister(this, &MainDlg::OnChangePanel);
    center_.Unregister(this, &MainDlg::OnInputString);
    center_.Unregister(this, &MainDlg::OnInputColor);
    center_.Unregister(this, &MainDlg::OnSearchInfoDoModle);
    center_.Unregister(this, &MainDlg::OnUpdateGridView);
    center_.Unregister(this, &MainDlg::OnBuildBringRoad);
    center_.Unregister(this, &MainDlg::OnShowGridTip);
    center_.Unregister(this, &MainDlg::OnHideGridTip);
    qApp->removeEventFilter(this);

    // Panels leave the message center while the scene and the map view still exist.
    currentPanel_ = nullptr;
    for (auto& [name, panel] : panels_)
        delete panel;
    panels_.clear();
}

void MainDlg::CreatePanels(const platform::AppFolders& folders)
{
    tip_->SetImageFolder(folders.dataFolder);
    auto* tools = new COperaterDlg(center_, scene_, *mapView_, config_, folders.workFolder);
    if (folders.Installed())
        tools->SetSampleFolder(folders.dataFolder);
    AddPanel(kMainPanel, tools);
    AddPanel("set", new CLaySetDlg(center_, config_));
    AddPanel("viewset", new CViewSetDlg(center_, config_));
    AddPanel("demo", new CShowDlg(center_, scene_, config_));
}

void MainDlg::AddPanel(const std::string& name, QWidget* panel)
{
    if (!panel)
        return;
    QWidget*& slot = panels_[name];
    const bool replacesShown = slot && slot == currentPanel_;
    delete slot;
    slot = panel;
    panel->setParent(this, panel->windowFlags() & ~Qt::Window);
    panel->hide();
    if (replacesShown)
        currentPanel_ = nullptr;
    if (!currentPanel_ && name == kMainPanel)
        ChangePanel(name);
}

QWidget* MainDlg::Panel(const std::string& name) const
{
    const auto found = panels_.find(name);
    return found == panels_.end() ? nullptr : found->second;
}

void MainDlg::ChangePanel(const std::string& name)
{
    QWidget* panel = Panel(name);
    if (!panel)
        return;
    const LayoutBox& box = layout_.Panel();
    panel->setGeometry(box.x, box.y, box.width, box.height);
    if (currentPanel_)
        currentPanel_->hide();
    panel->show();
    currentPanel_ = panel;
}

void MainDlg::OpenStartFile(const std::filesystem::path& file)
{
    if (file.empty())
        return;
    center_.Send(LoadMapFile_Msg{file});
    // A start file that does not exist yet names the new map: closing creates it.
    std::error_code ec;
    if (CurrentFile().empty() && !std::filesystem::exists(file, ec) && !ec)
        center_.Send(MapFileEvent_Msg{MapFileKind::Opened, file, false});
}

const std::filesystem::path& MainDlg::CurrentFile() const
{
    return actions_->Document().File();
}

void MainDlg::Relayout(MainLayout::SizeKind kind, int clientWidth, int clientHeight)
{
    if (!layout_.OnSize(kind, clientWidth, clientHeight))
        return;
    const LayoutBox& panel = layout_.Panel();
    if (currentPanel_)
        currentPanel_->setGeometry(panel.x, panel.y, panel.width, panel.height);
    const LayoutBox& view = layout_.View();
    mapView_->move(view.x, view.y);
    mapView_->SetViewSize(view.width, view.height);
}

void MainDlg::LoadDroppedFiles(const QList<QUrl>& urls)
{
    // Only the first counts; anything that is not a local file is refused.
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    const QString file = urls.front().toLocalFile();
    if (file.isEmpty() || !actions_->MayDiscard())
        return;
    center_.Send(LoadMapFile_Msg{PathOfLocalFile(file)});
}

void MainDlg::ShowAbout()
{
    HideTip();
    QMessageBox::about(this, QStringLiteral("About QuarrinLayvane"),
                       tr("<b>QuarrinLayvane 2.1</b><br>"
                                      "城镇建筑布局规划工具<br>"
                                      "A planner for the building layout of a town."));
    ChangePanel(kMainPanel);
}

void MainDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused button still takes Enter, as on a dialog; nothing else does.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void MainDlg::closeEvent(QCloseEvent* event)
{
    HideTip();
    if (!actions_->MayClose()) {
        event->ignore();
        return;
    }
    done(QDialog::Accepted);
    event->accept();
}

void MainDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    HideTip();
    Relayout(SizeKindOf(windowState()), width(), height());
}

void MainDlg::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Maximise and restore may come before or without a new size.
    if (event->type() == QEvent::WindowStateChange)
        Relayout(SizeKindOf(windowState()), width(), height());
}

void MainDlg::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    HideTip();
}

void MainDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainDlg::dropEvent(QDropEvent* event)
{
    LoadDroppedFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}

void MainDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // The map view has a menu of its own.
    if (mapView_->geometry().contains(event->pos())) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    for (QAction* action : {actions_->NewAction(), actions_->OpenAction(), actions_->SaveAction()})
        menu.addAction(action);
    menu.addSeparator();
    menu.addAction(actions_->UndoAction());
    menu.addAction(actions_->RedoAction());
    menu.addSeparator();
    menu.addAction(aboutAction_);
    menu.exec(event->globalPos());
}

bool MainDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
        && static_cast<QWidget*>(watched)->window() == this)
        HideTip();
    return QDialog::eventFilter(watched, event);
}

void MainDlg::OnChangePanel(const ChangePanel_Msg* msg)
{
    ChangePanel(msg->panel);
}

void MainDlg::OnInputString(const InputString_Msg* msg)
{
    CStrInputDlg dialog(Translated(msg->prompt), msg->initial, this);
    msg->ok = dialog.exec() == QDialog::Accepted;
    if (msg->ok)
        msg->result = dialog.Result();
}

void MainDlg::OnInputColor(const InputColor_Msg* msg)
{
    CColorInputDlg dialog(msg->initial, config_, this);
    msg->ok = dialog.exec() == QDialog::Accepted;
    if (msg->ok)
        msg->result = dialog.Result();
}

void MainDlg::OnSearchInfoDoModle(const SearchInfoDoModle_Msg* msg)
{
    CSearchInfoDlg dialog(center_);
    msg->ok = dialog.exec() == QDialog::Accepted;
}

void MainDlg::OnUpdateGridView(const UpdateGridView_Msg*)
{
    mapView_->update();
}

void MainDlg::OnBuildBringRoad(const BuildBringRoad_Msg* msg)
{
    mapView_->Painter().StopFlash();
    mapView_->update();
    if (msg->roads.empty())
        return;
    const RoadSetting setting = RoadSettingOf(config_.roadNotice, config_.roadMake);
    if (setting == RoadSetting::Ignore)
        return;
    mapView_->Painter().StartFlash(msg->roads, kRoadFlashCountdown);
    if (setting == RoadSetting::Notice) {
        const GridPoint& first = msg->roads.front();
        ShowTipAtCell(first.x, first.y, tr("你刚刚修建的建筑可能会产生道路."));
    } else {
        center_.Send(AddRoadPoints_Msg{msg->roads});
    }
}

void MainDlg::OnShowGridTip(const ShowGridTip_Msg* msg)
{
    ShowTipAtCell(msg->x, msg->y, FromModelText(msg->text));
}

void MainDlg::OnHideGridTip(const HideGridTip_Msg*)
{
    HideTip();
}

void MainDlg::ShowTipAtCell(int x, int y, const QString& html)
{
    const QPoint at = mapView_->Painter().ScreenPointOfCell(x, y);
    if (at.x() == -1 || at.y() == -1)
        return;
    tip_->ShowAt(html, at);
}

void MainDlg::HideTip()
{
    tip_->HideTip();
}
