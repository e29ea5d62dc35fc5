#include "demo/CRecDlg.h"

#include "cmd/CmdList.h"
#include "cmd/RunLine_CMD.h"
#include "config/AppConfig.h"
#include "demo/CCmdListCtrl.h"
#include "demo/CmdListRows.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "view/QtText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kColumnWidth = 300;

}  // namespace

CRecDlg::CRecDlg(MsgCenter& center, AppConfig& config, std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent),
      center_(center),
      config_(config),
      programFolder_(std::move(programFolder)),
      stop_(new QPushButton(tr("停止"), this)),
      export_(new QPushButton(tr("导出为演示"), this)),
      saveTemp_(new QCheckBox(tr("保存临时文件支持撤销"), this)),
      list_(new CCmdListCtrl(this)),
      commandLine_(new QLineEdit(this)),
      run_(new QPushButton(QStringLiteral("RUN"), this))
{
    setWindowTitle(QStringLiteral("QuarrinLayvane REC"));
    setModal(false);
    SetWarning({});
    SetDateSource({});

    stop_->setDefault(true);
    export_->setAutoDefault(false);
    run_->setAutoDefault(false);
    saveTemp_->setChecked(config_.saveTempRecFile);
    list_->setColumnCount(1);
    list_->setHeaderLabels({tr("类别")});
    list_->setColumnWidth(0, kColumnWidth);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    commandLine_->setMaxLength(kMaxCommandLineLength);
    commandLine_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stop_);
    buttons->addWidget(export_);
    buttons->addStretch();
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(commandLine_, 1);
    runRow->addWidget(run_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(saveTemp_);
    layout->addWidget(list_, 1);
    layout->addLayout(runRow);
    resize(kColumnWidth + 60, 420);

    // Sending StopRec_Msg may destroy this window: nothing may run after it.
    connect(stop_, &QPushButton::clicked, this, [&center] { center.Send(StopRec_Msg{}); });
    connect(export_, &QPushButton::clicked, this, [this] { Export(); });
    connect(saveTemp_, &QCheckBox::toggled, this, [this](bool checked) { config_.saveTempRecFile = checked; });
    connect(run_, &QPushButton::clicked, this, [this] { RunCommandLine(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { GoToItem(item); });

    center_.Register(this, &CRecDlg::OnCmdListUpdate);
    // The list shows the history as it stands when the window opens.
    Refill();
}

CRecDlg::~CRecDlg()
{
    center_.Unregister(this, &CRecDlg::OnCmdListUpdate);
}

CCmdListCtrl* CRecDlg::List() const
{
    return list_;
}

void CRecDlg::SetWarning(Warning warning)
{
    if (!warning)
        warning = [this](const QString& text) { QMessageBox::critical(this, windowTitle(), text); };
    warning_ = std::move(warning);
}

void CRecDlg::SetDateSource(DateSource today)
{
    today_ = today ? std::move(today) : DateSource(&RecordingExport::Today);
}

bool CRecDlg::Export()
{
    // The prompts run nested event loops; a second export started from one
    // of them (Escape, the close box) would interleave its questions.
    if (exporting_)
        return false;
    exporting_ = true;
    bool written = false;
    if (const auto name = AskShowName()) {
        if (const auto author = Ask("Please Enter Author Name:")) {
            const auto outcome =
                RecordingExport::Export(programFolder_, *name, *author, today_(), CmdList::Instance());
            if (!outcome.written)
                warning_(Translated(outcome.problem));
            written = outcome.written;
        }
    }
    exporting_ = false;
    return written;
}

std::optional<std::string> CRecDlg::AskShowName()
{
    for (;;) {
        auto name = Ask("Please Enter Show Name:");
        if (!name)
            return std::nullopt;
        const auto problem = RecordingExport::ShowNameProblem(*name);
        if (!problem)
            return name;
        warning_(Translated(*problem));
    }
}

std::optional<std::string> CRecDlg::Ask(const char* prompt)
{
    const InputString_Msg msg{false, UiText::Verbatim(prompt), "", {}};
    center_.Send(msg);
    if (!msg.ok)
        return std::nullopt;
    return msg.result;
}

void CRecDlg::reject()
{
    Export();
}

void CRecDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Export();
}

bool CRecDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on the command line runs it; passed on, it would press the
    // default button and end the recording.
    if (watched == commandLine_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunCommandLine();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CRecDlg::OnCmdListUpdate(const CmdListUpdate_Msg*)
{
    Refill();
}

void CRecDlg::Refill()
{
    list_->clear();
    for (const auto& row : CmdListRows::Of(CmdList::Instance()))
        list_->AppendRow(FromModelText(row.text), row.itemData);
}

void CRecDlg::RunCommandLine()
{
    CmdList::Instance().Add(std::make_unique<RunLine_CMD>(ToModelText(commandLine_->text())));
}

void CRecDlg::GoToItem(QTreeWidgetItem* item)
{
    const int index = list_->indexOfTopLevelItem(item);
    if (index >= 0)
        CmdList::Instance().GoTo(index);
}
