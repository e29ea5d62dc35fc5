#include "app/MapActions.h"

#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "view/CScenePic.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <memory>

namespace {

QAction* MakeAction(const QString& text, const QList<QKeySequence>& keys, QWidget* window)
{
    auto* action = new QAction(text, window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

}  // namespace

MapActions::MapActions(MsgCenter& center, Scene& scene, AppConfig& config, CScenePic& view, QWidget* window)
    : QObject(window),
      center_(center),
      scene_(scene),
      view_(view),
      window_(window),
      document_(scene),
      history_(center, scene, config, CmdList::Instance()),
      new_(MakeAction(tr("新建地图"), {QKeySequence::New}, window)),
      open_(MakeAction(tr("打开地图..."), {QKeySequence::Open}, window)),
      save_(MakeAction(tr("保存地图"), {QKeySequence::Save}, window)),
      undo_(MakeAction(tr("撤销"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, window)),
      redo_(MakeAction(tr("重做"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, window))
{
    connect(new_, &QAction::triggered, this, &MapActions::NewMap);
    connect(open_, &QAction::triggered, this, &MapActions::Open);
    connect(save_, &QAction::triggered, this, &MapActions::Save);
    connect(undo_, &QAction::triggered, this, [this] { history_.Undo(); });
    connect(redo_, &QAction::triggered, this, [this] { history_.Redo(); });

    center_.Register(this, &MapActions::OnMapFile);
    center_.Register(this, &MapActions::OnUpdateGridView);
    center_.Register(this, &MapActions::OnConfirmDiscard);
    RefreshTitle();
}

MapActions::~MapActions()
{
    center_.Unregister(this, &MapActions::OnMapFile);
    center_.Unregister(this, &MapActions::OnUpdateGridView);
    center_.Unregister(this, &MapActions::OnConfirmDiscard);
}

bool MapActions::MayClose()
{
    switch (document_.WhenClosing()) {
    case MapDocument::OnClose::Close:
        return true;
    case MapDocument::OnClose::SaveSilently:
        // A file that cannot be written any more must not take the map with it.
        if (SaveToFile())
            return true;
        break;
    case MapDocument::OnClose::Ask:
        break;
    }
    return AskThenSave(&MapActions::SaveAs);
}

bool MapActions::MayDiscard()
{
    return !document_.Modified() || AskThenSave(&MapActions::SaveWhereItBelongs);
}

bool MapActions::AskThenSave(bool (MapActions::*save)())
{
    switch (AskAboutChanges()) {
    case Answer::Save:
        return (this->*save)();
    case Answer::Discard:
        return true;
    case Answer::Stay:
        return false;
    }
    return false;
}

MapActions::Answer MapActions::AskAboutChanges()
{
    const QString file = QString::fromStdString(platform::PathToUtf8(document_.File()));
    QString text;
    if (document_.Damaged() && document_.From() == MapDocument::Origin::UserFile)
        text = tr("读取这个地图文件时发现了问题, 直接保存会覆盖它原有的内容:\n%1\n\n要保存这张地图吗?").arg(file);
    else if (document_.File().empty())
        text = tr("这张地图还没有保存。\n\n要保存它吗?");
    else
        text = tr("这张地图有未保存的修改:\n%1\n\n要保存它吗?").arg(file);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QuarrinLayvane"), text, QMessageBox::NoButton, window_);
    QPushButton* save = box.addButton(tr("保存..."), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(tr("不保存"), QMessageBox::DestructiveRole);
    QPushButton* stay = box.addButton(tr("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(stay);
    box.exec();
    if (box.clickedButton() == save)
        return Answer::Save;
    if (box.clickedButton() == discard)
        return Answer::Discard;
    return Answer::Stay;
}

bool MapActions::Save()
{
    return SaveWhereItBelongs();
}

bool MapActions::SaveWhereItBelongs()
{
    return document_.SavesSilently() ? SaveToFile() : SaveAs();
}

bool MapActions::SaveToFile()
{
    const SaveMapFile_Msg msg{document_.File()};
    center_.Send(msg);
    return msg.saved;
}

bool MapActions::SaveAs()
{
    const SaveMapAs_Msg msg;
    center_.Send(msg);
    return msg.saved;
}

void MapActions::Open()
{
    // The tools panel asks about unsaved changes before its open dialog.
    center_.Send(OpenMapFile_Msg{});
}

void MapActions::NewMap()
{
    if (!MayDiscard())
        return;
    // Through the history, so that a running recording keeps the clear too.
    CmdList::Instance().Add(std::make_unique<ClearScene_CMD>());
    view_.Painter().HidePreviews();
    view_.Selection().Clear();
    center_.Send(MapFileEvent_Msg{MapFileKind::Blank, {}, false});
    RefreshTitle();
}

void MapActions::RefreshTitle()
{
    window_->setWindowTitle(QString::fromStdString(document_.Title()));
}

void MapActions::OnMapFile(const MapFileEvent_Msg* msg)
{
    document_.Take(*msg);
    RefreshTitle();
}

void MapActions::OnUpdateGridView(const UpdateGridView_Msg*)
{
    RefreshTitle();
}

void MapActions::OnConfirmDiscard(const ConfirmDiscard_Msg* msg)
{
    msg->proceed = MayDiscard();
}
