#include "demo/CShowDlg.h"

#include "config/AppConfig.h"
#include "msg/MsgCenter.h"
#include "panels/DialogUnits.h"
#include "scene/Scene.h"
#include "view/QtText.h"

#include <QGroupBox>
#include <QKeyEvent>
#include "panels/ElidedLabel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBrowser>

namespace {

bool IsSwallowedKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    switch (key.key()) {
    case Qt::Key_F:
    case Qt::Key_L:
    case Qt::Key_N:
    case Qt::Key_P:
        return (modifiers & Qt::ControlModifier) != 0;
    case Qt::Key_F10:
        return (modifiers & Qt::ShiftModifier) != 0;
    case Qt::Key_Menu:
        return true;
    default:
        return false;
    }
}

bool IsRightButtonEvent(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return static_cast<const QMouseEvent&>(event).button() == Qt::RightButton;
    default:
        return false;
    }
}

QPushButton* MakeButton(const QString& text, QWidget* parent, int x, int y, int width, int height)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    dialog_units::Place(button, x, y, width, height);
    return button;
}

}  // namespace

CShowDlg::CShowDlg(MsgCenter& center, Scene& scene, AppConfig& config, QWidget* parent)
    : QWidget(parent), center_(center), player_(scene.Demos(), config.roadMake, this)
{
    // Sized for the side panel, 153 × 338 dialog units (230 × 550 px).
    details_ = new ElidedLabel({}, this);
    details_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    details_->setWordWrap(true);
    dialog_units::Place(details_, 6, 4, 141, 40);

    progress_ = new QLabel(this);
    progress_->setTextFormat(Qt::PlainText);
    dialog_units::Place(progress_, 6, 46, 141, 10);

    captionView_ = new CaptionBrowser(this);
    captionView_->setContextMenuPolicy(Qt::NoContextMenu);
    captionView_->viewport()->setContextMenuPolicy(Qt::NoContextMenu);
    captionView_->installEventFilter(this);
    captionView_->viewport()->installEventFilter(this);
    dialog_units::Place(captionView_, 4, 58, 145, 190);

    controls_ = new QGroupBox(tr("演示控制"), this);
    dialog_units::Place(controls_, 2, 252, 149, 82);
    play_ = MakeButton(tr("播放"), this, 10, 266, 31, 15);
    pause_ = MakeButton(tr("暂停"), this, 44, 266, 31, 15);
    replay_ = MakeButton(tr("重放"), this, 78, 266, 31, 15);
    next_ = MakeButton(tr("下步"), this, 112, 266, 31, 15);
    end_ = MakeButton(tr("结束演示"), this, 46, 298, 60, 20);

    connect(play_, &QPushButton::clicked, this, [this] {
        player_.Play();
        Refresh();
    });
    connect(pause_, &QPushButton::clicked, this, [this] {
        player_.Pause();
        Refresh();
    });
    connect(replay_, &QPushButton::clicked, this, [this] {
        player_.Replay();
        Refresh();
    });
    connect(next_, &QPushButton::clicked, this, [this] {
        player_.OneStep();
        Refresh();
    });
    connect(end_, &QPushButton::clicked, this, &CShowDlg::EndDemonstration);

    ShowInlinePage(DemoPlayer::kBlankPage);
    Refresh();
    center_.Register(this, &CShowDlg::OnTimer);
}

CShowDlg::~CShowDlg()
{
    center_.Unregister(this, &CShowDlg::OnTimer);
}

void CShowDlg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A panel switch hides and shows again: every showing starts the chosen script anew.
    if (!event->spontaneous()) {
        player_.Load();
        Refresh();
    }
}

bool CShowDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == captionView_ || watched == captionView_->viewport()) {
        switch (event->type()) {
        case QEvent::ContextMenu:
            return true;
        case QEvent::ShortcutOverride:
            // Claimed, so no shortcut of the window fires; the key press that follows is dropped below.
            if (IsSwallowedKey(*static_cast<QKeyEvent*>(event))) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (IsSwallowedKey(*static_cast<QKeyEvent*>(event)))
                return true;
            break;
        default:
            if (IsRightButtonEvent(*event))
                return true;
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CShowDlg::ShowInlinePage(const std::string& html)
{
    captionView_->SetDemoFolder(player_.ScriptFolder());
    captionView_->ShowInlinePage(FromModelText(html));
}

void CShowDlg::ShowFilePage(const std::filesystem::path& page)
{
    captionView_->SetDemoFolder(player_.ScriptFolder());
    captionView_->ShowPageFile(page);
}

void CShowDlg::OnTimer(const Timer_Msg<1000>*)
{
    if (!player_.Playing())
        return;
    player_.Tick();
    Refresh();
}

void CShowDlg::EndDemonstration()
{
    player_.Reset();
    Refresh();
    center_.Send(ChangePanel_Msg{"main"});
}

void CShowDlg::Refresh()
{
    details_->SetFullText(Translated(player_.Details()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    progress_->setText(Translated(player_.Progress()));
    const DemoButtons& buttons = player_.Buttons();
    play_->setEnabled(buttons.play);
    pause_->setEnabled(buttons.pause);
    replay_->setEnabled(buttons.replay);
    next_->setEnabled(buttons.next);
}
