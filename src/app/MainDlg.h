#pragma once

#include "app/MainLayout.h"
#include "msg/Messages.h"
#include "platform/AppFolders.h"

#include <QDialog>
#include <QList>
#include <QUrl>

#include <filesystem>
#include <map>
#include <string>

class AppConfig;
class CScenePic;
class GridTip;
class MapActions;
class MsgCenter;
class QAction;
class Scene;

// The main window: the map view on the left, one switchable side panel on the
// right. It answers the requests for modal dialogs, grid tips and repaints
// that other parts send as messages, and turns the start file and dropped
// files into map loads. Only the close box ends it, once the map in hand is
// saved or let go.
class MainDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kMainPanel = "main";
    static constexpr int kRoadFlashCountdown = 20;

    MainDlg(MsgCenter& center, Scene& scene, AppConfig& config, QWidget* parent = nullptr);
    ~MainDlg() override;

    // Creates the four side panels ("main", "set", "viewset", "demo") in
    // place of the empty one the window starts with; files of the tools
    // panel and the recorder live below the work folder.
    void CreatePanels(const platform::AppFolders& folders);
    // Everything below one folder, as when run from the build folder.
    void CreatePanels(const std::filesystem::path& programFolder)
    {
        CreatePanels(platform::AppFolders{programFolder, programFolder, programFolder / "ql.cfg"});
    }

    // Takes the panel over; a panel already under that name is deleted, and
    // if it was on show the new one takes its place.
    void AddPanel(const std::string& name, QWidget* panel);
    QWidget* Panel(const std::string& name) const;
    QWidget* CurrentPanel() const { return currentPanel_; }
    // Unknown names are ignored; the panel on show is hidden and shown again.
    void ChangePanel(const std::string& name);

    // The file the program was started with: loaded now; one that does not
    // exist yet is where the new map will be saved.
    void OpenStartFile(const std::filesystem::path& file);
    // The file of the map in hand, empty when it has none.
    const std::filesystem::path& CurrentFile() const;

    void Relayout(MainLayout::SizeKind kind, int clientWidth, int clientHeight);
    // Loads the first of the files once unsaved changes are saved or let go.
    void LoadDroppedFiles(const QList<QUrl>& urls);
    void ShowAbout();

    CScenePic& MapView() const { return *mapView_; }
    GridTip& Tip() const { return *tip_; }
    QAction* AboutAction() const { return aboutAction_; }
    // New, open, save, undo and redo, and what closing does with the map.
    MapActions& Actions() const { return *actions_; }

    // Enter and Escape must not end the main window.
    void accept() override {}
    void reject() override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnChangePanel(const ChangePanel_Msg* msg);
    void OnInputString(const InputString_Msg* msg);
    void OnInputColor(const InputColor_Msg* msg);
    void OnSearchInfoDoModle(const SearchInfoDoModle_Msg* msg);
    void OnUpdateGridView(const UpdateGridView_Msg* msg);
    void OnBuildBringRoad(const BuildBringRoad_Msg* msg);
    void OnShowGridTip(const ShowGridTip_Msg* msg);
    void OnHideGridTip(const HideGridTip_Msg* msg);

    void ShowTipAtCell(int x, int y, const QString& html);
    void HideTip();

    MsgCenter& center_;
    Scene& scene_;
    AppConfig& config_;
    MainLayout layout_;
    CScenePic* mapView_;
    std::map<std::string, QWidget*> panels_;
    QWidget* currentPanel_ = nullptr;
    GridTip* tip_;
    QAction* aboutAction_;
    MapActions* actions_;
};
