#pragma once

#include "demo/RecordingExport.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class AppConfig;
class CCmdListCtrl;
class MsgCenter;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;
struct CmdListUpdate_Msg;

// "QuarrinLayvane REC": the recording's command list, a command line to run,
// the snapshot switch and the export to a demonstration script.
class CRecDlg : public QDialog {
    Q_OBJECT

public:
    // Shows why something went wrong (a refused show name, a failed export).
    using Warning = std::function<void(const QString& text)>;
    using DateSource = std::function<RecordingExport::Date()>;

    static constexpr int kMaxCommandLineLength = 1023;

    // Files go below `programFolder` ("temp/s.qlm" is the starting map,
    // scripts go to "demo/auto/").
    CRecDlg(MsgCenter& center, AppConfig& config, std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~CRecDlg() override;

    // Asks for the show and author names and writes "demo/auto/<name>.qlm"
    // and "<name>.qld". False when the user cancelled a prompt or writing failed.
    bool Export();

    CCmdListCtrl* List() const;
    QPushButton* StopButton() const { return stop_; }
    QPushButton* ExportButton() const { return export_; }
    QCheckBox* SaveTempCheck() const { return saveTemp_; }
    QLineEdit* CommandLine() const { return commandLine_; }
    QPushButton* RunButton() const { return run_; }

    // Tests answer the warnings and fix the date; by default a critical
    // message box and the system clock.
    void SetWarning(Warning warning);
    void SetDateSource(DateSource today);

    // Escape and the close box export instead of closing: the recording
    // ends only through "停止".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnCmdListUpdate(const CmdListUpdate_Msg* msg);
    void Refill();
    void RunCommandLine();
    void GoToItem(QTreeWidgetItem* item);
    std::optional<std::string> AskShowName();
    std::optional<std::string> Ask(const char* prompt);

    MsgCenter& center_;
    AppConfig& config_;
    std::filesystem::path programFolder_;
    Warning warning_;
    DateSource today_;
    bool exporting_ = false;

    QPushButton* stop_;
    QPushButton* export_;
    QCheckBox* saveTemp_;
    CCmdListCtrl* list_;
    QLineEdit* commandLine_;
    QPushButton* run_;
};
