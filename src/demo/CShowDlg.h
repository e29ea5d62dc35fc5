#pragma once

#include "demo/CaptionBrowser.h"
#include "demo/DemoPlayer.h"
#include "demo/DemoPlayerView.h"
#include "msg/Messages.h"

#include <QWidget>

class AppConfig;
class ElidedLabel;
class MsgCenter;
class QGroupBox;
class QLabel;
class QPushButton;
class Scene;

// The side panel "demo": plays the demonstration chosen in the tools panel,
// by hand or once a second, with its details, progress and captions. The
// step machine is DemoPlayer; this panel only wires buttons, the timer and
// the caption view to it.
class CShowDlg : public QWidget, private DemoPlayerView {
    Q_OBJECT

public:
    CShowDlg(MsgCenter& center, Scene& scene, AppConfig& config, QWidget* parent = nullptr);
    ~CShowDlg() override;

    const DemoPlayer& Player() const { return player_; }
    DemoPlayer& Player() { return player_; }
    ElidedLabel* DetailsLabel() const { return details_; }
    QLabel* ProgressLabel() const { return progress_; }
    CaptionBrowser* CaptionView() const { return captionView_; }
    QPushButton* PlayButton() const { return play_; }
    QPushButton* PauseButton() const { return pause_; }
    QPushButton* ReplayButton() const { return replay_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* EndButton() const { return end_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Keeps the caption view from offering its menu and its find, open and print keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowInlinePage(const std::string& html) override;
    void ShowFilePage(const std::filesystem::path& page) override;

    void OnTimer(const Timer_Msg<1000>* msg);
    void EndDemonstration();
    // Copies the player's texts and button states into the controls.
    void Refresh();

    MsgCenter& center_;
    DemoPlayer player_;
    ElidedLabel* details_;
    QLabel* progress_;
    CaptionBrowser* captionView_;
    QGroupBox* controls_;
    QPushButton* play_;
    QPushButton* pause_;
    QPushButton* replay_;
    QPushButton* next_;
    QPushButton* end_;
};
