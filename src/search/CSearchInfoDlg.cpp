#include "search/CSearchInfoDlg.h"

#include "msg/MsgCenter.h"
#include "search/SearchControl.h"
#include "view/QtText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSearchInfoDlg::CSearchInfoDlg(MsgCenter& center, QWidget* parent)
    : QDialog(parent),
      center_(center),
      text_(new QLabel(Translated(progress_.Text()), this)),
      counts_(new QLabel(Translated(SearchProgressText::CurrentCountsText()), this)),
      stopButton_(new QPushButton(tr("停止搜索"), this)),
      cancelButton_(new QPushButton(tr("取消搜索"), this))
{
    setWindowTitle(tr("搜索信息"));
    setModal(true);
    text_->setMinimumWidth(260);
    stopButton_->setDefault(true);
    cancelButton_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(stopButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(counts_);
    layout->addLayout(buttons);

    connect(stopButton_, &QPushButton::clicked, this, &CSearchInfoDlg::Stop);
    connect(cancelButton_, &QPushButton::clicked, this, &CSearchInfoDlg::Cancel);

    // Registered before any modal loop runs, so a search that ends at once is not missed.
    center_.Register(this, &CSearchInfoDlg::OnFinished);
    center_.Register(this, &CSearchInfoDlg::OnTimer);
}

CSearchInfoDlg::~CSearchInfoDlg()
{
    center_.Unregister(this, &CSearchInfoDlg::OnFinished);
    center_.Unregister(this, &CSearchInfoDlg::OnTimer);
}

QString CSearchInfoDlg::ShownText() const
{
    return text_->text();
}

QString CSearchInfoDlg::ShownCounts() const
{
    return counts_->text();
}

void CSearchInfoDlg::Stop()
{
    if (showingResult_)
        done(QDialog::Accepted);
    else if (progress_.Stop())
        ShowProgress();
}

void CSearchInfoDlg::Cancel()
{
    if (showingResult_)
        done(QDialog::Rejected);
    else if (progress_.Cancel())
        ShowProgress();
}

void CSearchInfoDlg::reject()
{
    Cancel();
}

void CSearchInfoDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (showingResult_)
        done(QDialog::Accepted);
    else if (progress_.Close())
        ShowProgress();
}

void CSearchInfoDlg::OnFinished(const BuildSearchFinished_Msg*)
{
    if (!progress_.Cancelling() && SearchControl::Instance().optimising)
        ShowResult();
    else
        done(progress_.Cancelling() ? QDialog::Rejected : QDialog::Accepted);
}

void CSearchInfoDlg::ShowResult()
{
    const SearchControl& control = SearchControl::Instance();
    showingResult_ = true;
    text_->setText(tr("搜索已结束."));
    counts_->setText(
        Translated(SearchProgressText::OptimisedResultText(control.optimisedUncovered, control.optimisedBound)));
    stopButton_->setText(tr("确定"));
}

void CSearchInfoDlg::OnTimer(const Timer_Msg<1000>*)
{
    if (showingResult_)
        return;
    progress_.Advance();
    ShowProgress();
}

void CSearchInfoDlg::ShowProgress()
{
    text_->setText(Translated(progress_.Text()));
    counts_->setText(Translated(SearchProgressText::CurrentCountsText()));
}
