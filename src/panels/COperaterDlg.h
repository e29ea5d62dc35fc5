#pragma once

#include "demo/CRecDlg.h"
#include "panels/DemoGroupState.h"
#include "panels/MapFileRequests.h"
#include "panels/ToolsPanelTables.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <map>

class AppConfig;
class CColorPaletteButton;
class CScenePic;
class ElidedLabel;
class MsgCenter;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QMenu;
class QString;
class Scene;
struct OpenMapFile_Msg;
struct SaveMapAs_Msg;
struct StopRec_Msg;
struct UpdateGridView_Msg;

// The "main" side panel: the tool box of the map view, the road option, the
// map file and layout buttons, the demonstration group with the recorder and
// the statistics of the map, with undo and redo buttons beside them. Every
// map load and save of the program goes through its MapFileRequests.
class COperaterDlg : public QWidget {
    Q_OBJECT

public:
    enum class FileDialogKind { Save, Open };
    // Returns the chosen file, or an empty path when the user cancelled.
    using FileChooser = std::function<std::filesystem::path(FileDialogKind kind)>;
    // Shows an error message box (caption, text).
    using ErrorBox = std::function<void(const QString& caption, const QString& text)>;

    COperaterDlg(MsgCenter& center, Scene& scene, CScenePic& view, AppConfig& config,
                 std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~COperaterDlg() override;

    // An installed program's samples: its "demo/" and "map/" are read from here too.
    void SetSampleFolder(const std::filesystem::path& folder);

    // The file dialogs and message boxes; tests put their own in.
    void SetFileChooser(FileChooser chooser);
    void SetErrorBox(ErrorBox box);

    // The control of the panel with this id, or nullptr.
    QWidget* Control(int id) const;
    QMenu* OtherBuildingMenu() const { return otherMenu_; }
    // The open recorder window, or nullptr.
    CRecDlg* Recorder() const { return recorder_; }
    MapFileRequests& MapFiles() { return files_; }

    void StartRecording();
    void StopRecording();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    QAbstractButton* Button(int id) const;

    void SelectTool(const ToolChoice& choice);
    void SendColours();
    void SetRoadRadios();
    void TakeRoadOption(int checkedId);
    bool SaveMapAs();
    void LoadMap();
    void ClearMap();
    void ToggleRecording();
    void StartDemonstration();
    void ShowBuildStatistics();

    static QString InWindowLanguage(QString modelText);
    void RefreshStatistics();
    void RefreshDemoGroup();
    void ReportSaveProblem(const std::filesystem::path& file, MapFileRequests::SaveProblem problem);

    void OnUpdateGridView(const UpdateGridView_Msg*);
    void OnStopRec(const StopRec_Msg*);
    void OnSaveMapAs(const SaveMapAs_Msg* msg);
    void OnOpenMapFile(const OpenMapFile_Msg*);
    // True when the map in hand may be replaced (the main window asks about unsaved changes).
    bool MayDiscardMap();

    MsgCenter& center_;
    Scene& scene_;
    CScenePic& view_;
    AppConfig& config_;
    std::filesystem::path programFolder_;
    std::filesystem::path sampleFolder_;
    FileChooser chooseFile_;
    ErrorBox errorBox_;
    MapFileRequests files_;
    DemoGroupState demoGroup_;

    std::map<int, QWidget*> controls_;
    CColorPaletteButton* houseColour_ = nullptr;
    CColorPaletteButton* otherColour_ = nullptr;
    QButtonGroup* roadOptions_ = nullptr;
    QLabel* statistics_ = nullptr;
    ElidedLabel* demoLabel_ = nullptr;
    QLabel* demoCounter_ = nullptr;
    QMenu* otherMenu_ = nullptr;
    QPointer<CRecDlg> recorder_;
};
