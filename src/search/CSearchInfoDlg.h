#pragma once

#include "msg/Messages.h"
#include "search/SearchProgressText.h"

#include <QDialog>

class MsgCenter;
class QLabel;
class QPushButton;

// The modal progress dialog of a layout search. Only the end of the search
// (BuildSearchFinished_Msg) ends it: Rejected when the user cancelled,
// Accepted otherwise. Its buttons and the close box only stop or cancel.
// An optimised run that was not cancelled shows its result first (whether
// it is proven best) and ends when the user confirms it ("确定", Accepted)
// or drops it ("取消搜索", Rejected).
class CSearchInfoDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSearchInfoDlg(MsgCenter& center, QWidget* parent = nullptr);
    ~CSearchInfoDlg() override;

    const SearchProgressText& Progress() const { return progress_; }
    QString ShownText() const;
    // The second line: how far the worker has come.
    QString ShownCounts() const;
    QPushButton* StopButton() const { return stopButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    // An optimised run has ended and its result waits for the user.
    bool ShowingResult() const { return showingResult_; }

    void Stop();
    void Cancel();

    // Escape cancels instead of closing; Enter reaches the default button.
    void reject() override;
    void accept() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnFinished(const BuildSearchFinished_Msg*);
    void OnTimer(const Timer_Msg<1000>*);
    void ShowProgress();
    void ShowResult();

    MsgCenter& center_;
    SearchProgressText progress_;
    QLabel* text_;
    QLabel* counts_;
    QPushButton* stopButton_;
    QPushButton* cancelButton_;
    bool showingResult_ = false;
};
