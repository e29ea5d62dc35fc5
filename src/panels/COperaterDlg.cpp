#include "panels/COperaterDlg.h"

#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "config/AppConfig.h"
#include "demo/CRecDlg.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/CBuildStatDlg.h"
#include "panels/CColorPaletteButton.h"
#include "panels/DialogUnits.h"
#include "panels/ElidedLabel.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "scene/StatisticsText.h"
#include "view/CScenePic.h"
#include "view/QtText.h"

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

namespace fs = std::filesystem;

namespace {

enum class ControlKind { Button, DisabledButton, Radio, Text, ShortenedText, CentredText, ColourButton };

struct ControlSpec {
    int id;
    int x, y, width, height;
    const char* text;
    ControlKind kind;
};

struct GroupSpec {
    int x, y, width, height;
    const char* title;
};

// Dialog 137, in dialog units.
constexpr int kPanelWidth = 151;
constexpr int kPanelHeight = 341;
constexpr int kDialogFontPixels = 11;

constexpr GroupSpec kGroups[] = {
    {2, 1, 147, 63, QT_TRANSLATE_NOOP("COperaterDlg", "工具箱")},
    {2, 65, 147, 30, QT_TRANSLATE_NOOP("COperaterDlg", "放下的建筑可能产生道路时")},
    {2, 98, 148, 47, QT_TRANSLATE_NOOP("COperaterDlg", "地图")},
    {2, 147, 148, 29, QT_TRANSLATE_NOOP("COperaterDlg", "布局")},
    {2, 179, 147, 72, QT_TRANSLATE_NOOP("COperaterDlg", "演示")},
    {2, 253, 148, 83, QT_TRANSLATE_NOOP("COperaterDlg", "统计")},
};

constexpr int kHouseColour = 1028;
constexpr int kOtherColour = 1029;
constexpr int kOtherBuildings = 1017;
constexpr int kRoadIgnore = 1041;
constexpr int kRoadNotice = 1042;
constexpr int kRoadMake = 1043;
constexpr int kSaveMap = 1005;
constexpr int kLoadMap = 1006;
constexpr int kViewOptions = 1030;
constexpr int kClearMap = 1003;
constexpr int kClearBuildings = 1004;
constexpr int kClearRulers = 1025;
constexpr int kLayOutMap = 1002;
constexpr int kLayOutSelection = 1014;
constexpr int kSearchOptions = 1019;
constexpr int kDemoLabel = 1052;
constexpr int kDemoPrevious = 1046;
constexpr int kDemoCounter = 1053;
constexpr int kDemoNext = 1047;
constexpr int kRecord = 1050;
constexpr int kStartDemo = 1045;
constexpr int kStatistics = 1015;
constexpr int kBuildStatistics = 1039;
constexpr int kUndo = 1070;
constexpr int kRedo = 1071;

constexpr ControlSpec kControls[] = {
    {1007, 7, 13, 22, 12, QT_TRANSLATE_NOOP("COperaterDlg", "指针"), ControlKind::Button},
    {1008, 30, 13, 22, 12, QT_TRANSLATE_NOOP("COperaterDlg", "点绿"), ControlKind::Button},
    {1026, 53, 13, 22, 12, QT_TRANSLATE_NOOP("COperaterDlg", "道路"), ControlKind::Button},
    {1027, 76, 13, 22, 12, QT_TRANSLATE_NOOP("COperaterDlg", "城墙"), ControlKind::Button},
    {1009, 99, 13, 22, 12, QT_TRANSLATE_NOOP("COperaterDlg", "擦除"), ControlKind::Button},
    {1013, 122, 13, 22, 12, QT_TRANSLATE_NOOP("COperaterDlg", "标尺"), ControlKind::Button},
    {kHouseColour, 7, 29, 18, 14, "", ControlKind::ColourButton},
    {1010, 27, 29, 57, 14, QT_TRANSLATE_NOOP("COperaterDlg", "横向房屋(3 X 2)"), ControlKind::Button},
    {1011, 86, 29, 57, 14, QT_TRANSLATE_NOOP("COperaterDlg", "纵向房屋(2 X 3)"), ControlKind::Button},
    {kOtherColour, 7, 45, 18, 14, "", ControlKind::ColourButton},
    {1012, 27, 45, 57, 14, QT_TRANSLATE_NOOP("COperaterDlg", "工厂(5 X 4)"), ControlKind::Button},
    {kOtherBuildings, 86, 45, 57, 14, QT_TRANSLATE_NOOP("COperaterDlg", "其它建筑"), ControlKind::Button},
    {kRoadIgnore, 12, 79, 28, 10, QT_TRANSLATE_NOOP("COperaterDlg", "忽略"), ControlKind::Radio},
    {kRoadNotice, 50, 77, 27, 13, QT_TRANSLATE_NOOP("COperaterDlg", "提示"), ControlKind::Radio},
    {kRoadMake, 87, 79, 54, 10, QT_TRANSLATE_NOOP("COperaterDlg", "生成道路"), ControlKind::Radio},
    {kSaveMap, 4, 108, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "保存地图"), ControlKind::Button},
    {kLoadMap, 40, 108, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "加载地图"), ControlKind::Button},
    {1024, 76, 108, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "导入地图"), ControlKind::DisabledButton},
    {kViewOptions, 112, 108, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "显示选项"), ControlKind::Button},
    {kClearMap, 4, 124, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "清空地图"), ControlKind::Button},
    {kClearBuildings, 40, 124, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "清空建筑"), ControlKind::Button},
    {kClearRulers, 76, 124, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "清空标尺"), ControlKind::Button},
    {1023, 112, 124, 36, 15, QT_TRANSLATE_NOOP("COperaterDlg", "测试按钮"), ControlKind::DisabledButton},
    {kLayOutMap, 6, 157, 37, 15, QT_TRANSLATE_NOOP("COperaterDlg", "自动布局"), ControlKind::Button},
    {kLayOutSelection, 55, 157, 37, 15, QT_TRANSLATE_NOOP("COperaterDlg", "选区布局"), ControlKind::Button},
    {kSearchOptions, 104, 157, 37, 15, QT_TRANSLATE_NOOP("COperaterDlg", "搜索选项"), ControlKind::Button},
    {kDemoLabel, 11, 189, 124, 18, QT_TRANSLATE_NOOP("COperaterDlg", "无"), ControlKind::ShortenedText},
    {1048, 5, 214, 25, 12, QT_TRANSLATE_NOOP("COperaterDlg", "加载"), ControlKind::DisabledButton},
    {kDemoPrevious, 30, 214, 25, 12, "<---", ControlKind::Button},
    {kDemoCounter, 59, 215, 31, 10, "0 / 0", ControlKind::CentredText},
    {kDemoNext, 95, 214, 25, 12, "--->", ControlKind::Button},
    {1049, 120, 214, 25, 12, QT_TRANSLATE_NOOP("COperaterDlg", "删除"), ControlKind::DisabledButton},
    {kRecord, 17, 232, 26, 14, QT_TRANSLATE_NOOP("COperaterDlg", "录制"), ControlKind::Button},
    {kStartDemo, 53, 228, 45, 19, QT_TRANSLATE_NOOP("COperaterDlg", "开始演示"), ControlKind::Button},
    {1051, 109, 232, 26, 14, QT_TRANSLATE_NOOP("COperaterDlg", "导出"), ControlKind::DisabledButton},
    {kStatistics, 10, 264, 96, 67, " ", ControlKind::Text},
    {kBuildStatistics, 117, 316, 27, 14, ">>>", ControlKind::Button},
    // In the free corner of the statistics box, clear of the controls above.
    {kUndo, 117, 264, 27, 14, QT_TRANSLATE_NOOP("COperaterDlg", "撤销"), ControlKind::Button},
    {kRedo, 117, 280, 27, 14, QT_TRANSLATE_NOOP("COperaterDlg", "重做"), ControlKind::Button},
};

QString PathText(const fs::path& file)
{
    return QString::fromStdString(platform::PathToUtf8(file));
}

fs::path RunFileDialog(QWidget* parent, COperaterDlg::FileDialogKind kind)
{
    QFileDialog dialog(parent);
    if (kind == COperaterDlg::FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    dialog.setNameFilter(QCoreApplication::translate("COperaterDlg", "QuarrinLayvane 文件(*.qlm)"));
    dialog.setDefaultSuffix(QStringLiteral("qlm"));
    dialog.selectFile(QStringLiteral("map1"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return platform::PathFromUtf8(dialog.selectedFiles().constFirst().toStdString());
}

}  // namespace

COperaterDlg::COperaterDlg(MsgCenter& center, Scene& scene, CScenePic& view, AppConfig& config,
                           fs::path programFolder, QWidget* parent)
    : QWidget(parent),
      center_(center),
      scene_(scene),
      view_(view),
      config_(config),
      programFolder_(std::move(programFolder)),
      chooseFile_([this](FileDialogKind kind) { return RunFileDialog(this, kind); }),
      errorBox_([this](const QString& caption, const QString& text) { QMessageBox::critical(this, caption, text); }),
      files_(
          center, scene, programFolder_,
          [this](const std::string& errors) { errorBox_(QStringLiteral("Load Failed"), FromModelText(errors)); },
          // The main window names the loaded file in its title.
          [this](const fs::path&) { view_.update(); },
          [this](const fs::path& file, MapFileRequests::SaveProblem problem) { ReportSaveProblem(file, problem); }),
      demoGroup_(scene.Demos()),
      otherMenu_(new QMenu(this))
{
    resize(dialog_units::ToPixels(0, 0, kPanelWidth, kPanelHeight).size());
    // The dialog units assume the 8-point dialog font; larger text would not fit its places.
    QFont dialogFont = font();
    dialogFont.setPixelSize(kDialogFontPixels);
    setFont(dialogFont);
    CreateControls();

    houseColour_->SetColor(config_.houseColor);
    otherColour_->SetColor(config_.factoryColor);
    RefreshStatistics();
    RefreshDemoGroup();
    for (const OtherBuildingItem& item : ToolsPanelTables::OtherBuildings())
        otherMenu_->addAction(Translated(item.text))->setData(item.commandId);
    SetRoadRadios();
    ConnectControls();

    center_.Register(this, &COperaterDlg::OnUpdateGridView);
    center_.Register(this, &COperaterDlg::OnStopRec);
    center_.Register(this, &COperaterDlg::OnSaveMapAs);
    center_.Register(this, &COperaterDlg::OnOpenMapFile);
}

COperaterDlg::~COperaterDlg()
{
    center_.Unregister(this, &COperaterDlg::OnUpdateGridView);
    center_.Unregister(this, &COperaterDlg::OnStopRec);
    center_.Unregister(this, &COperaterDlg::OnSaveMapAs);
    center_.Unregister(this, &COperaterDlg::OnOpenMapFile);
    if (recorder_) {
        // The recording ends with its window; the history must not go on keeping commands.
        delete recorder_;
        config_.recording = false;
    }
}

void COperaterDlg::SetFileChooser(FileChooser chooser)
{
    chooseFile_ = std::move(chooser);
}

void COperaterDlg::SetErrorBox(ErrorBox box)
{
    errorBox_ = std::move(box);
}

QWidget* COperaterDlg::Control(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

QAbstractButton* COperaterDlg::Button(int id) const
{
    return qobject_cast<QAbstractButton*>(Control(id));
}

void COperaterDlg::CreateControls()
{
    // Boxes first, so the controls drawn over them stay on top.
    for (const GroupSpec& group : kGroups)
        dialog_units::Place(new QGroupBox(tr(group.title), this), group.x, group.y, group.width,
                            group.height);

    roadOptions_ = new QButtonGroup(this);
    for (const ControlSpec& entry : kControls) {
        const QString text = tr(entry.text);
        QWidget* control = nullptr;
        switch (entry.kind) {
        case ControlKind::Button:
        case ControlKind::DisabledButton: {
            auto* button = new QPushButton(text, this);
            button->setAutoDefault(false);
            button->setEnabled(entry.kind == ControlKind::Button);
            control = button;
            break;
        }
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(text, this);
            roadOptions_->addButton(radio, entry.id);
            control = radio;
            break;
        }
        case ControlKind::Text:
        case ControlKind::CentredText: {
            auto* label = new QLabel(text, this);
            label->setAlignment(entry.kind == ControlKind::Text ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignCenter);
            control = label;
            break;
        }
        case ControlKind::ShortenedText: {
            auto* label = new ElidedLabel(text, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            control = label;
            break;
        }
        case ControlKind::ColourButton:
            control = new CColorPaletteButton(config_, false, this);
            break;
        }
        dialog_units::Place(control, entry.x, entry.y, entry.width, entry.height);
        controls_[entry.id] = control;
    }
    houseColour_ = static_cast<CColorPaletteButton*>(Control(kHouseColour));
    otherColour_ = static_cast<CColorPaletteButton*>(Control(kOtherColour));
    statistics_ = static_cast<QLabel*>(Control(kStatistics));
    demoLabel_ = static_cast<ElidedLabel*>(Control(kDemoLabel));
    demoCounter_ = static_cast<QLabel*>(Control(kDemoCounter));
}

void COperaterDlg::ConnectControls()
{
    for (const ToolButtonEntry& entry : ToolsPanelTables::ToolButtons()) {
        const ToolChoice choice = entry.choice;
        connect(Button(entry.controlId), &QAbstractButton::clicked, this, [this, choice] { SelectTool(choice); });
    }
    connect(Button(kOtherBuildings), &QAbstractButton::clicked, this, [this] { otherMenu_->popup(QCursor::pos()); });
    connect(otherMenu_, &QMenu::triggered, this,
            [this](QAction* item) { SelectTool(ToolsPanelTables::MenuChoice(item->data().toInt())); });
    connect(houseColour_, &CColorPaletteButton::colorCommand, this, &COperaterDlg::SendColours);
    connect(otherColour_, &CColorPaletteButton::colorCommand, this, &COperaterDlg::SendColours);
    connect(roadOptions_, &QButtonGroup::idClicked, this, &COperaterDlg::TakeRoadOption);

    const auto onClick = [this](int id, auto action) { connect(Button(id), &QAbstractButton::clicked, this, action); };
    const auto addCommand = [](auto command) { CmdList::Instance().Add(std::make_unique<decltype(command)>()); };
    onClick(kSaveMap, [this] { SaveMapAs(); });
    onClick(kLoadMap, [this] { LoadMap(); });
    onClick(kViewOptions, [this] { center_.Send(ChangePanel_Msg{"viewset"}); });
    onClick(kClearMap, [this] { ClearMap(); });
    onClick(kClearBuildings, [addCommand] { addCommand(ClearBuild_CMD{}); });
    onClick(kClearRulers, [addCommand] { addCommand(ClearMark_CMD{}); });
    onClick(kLayOutMap, [addCommand] { addCommand(SearchLayMap_CMD{}); });
    onClick(kLayOutSelection, [this] { view_.Selection().LayOut(); });
    onClick(kSearchOptions, [this] { center_.Send(ChangePanel_Msg{"set"}); });
    onClick(kDemoPrevious, [this] {
        demoGroup_.Previous();
        RefreshDemoGroup();
    });
    onClick(kDemoNext, [this] {
        demoGroup_.Next();
        RefreshDemoGroup();
    });
    onClick(kRecord, [this] { ToggleRecording(); });
    onClick(kStartDemo, [this] { StartDemonstration(); });
    onClick(kBuildStatistics, [this] { ShowBuildStatistics(); });
    onClick(kUndo, [this] { center_.Send(UndoEdit_Msg{}); });
    onClick(kRedo, [this] { center_.Send(RedoEdit_Msg{}); });
}

void COperaterDlg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Another panel may have changed the road setting meanwhile.
    SetRoadRadios();
}

void COperaterDlg::SelectTool(const ToolChoice& choice)
{
    static_assert(static_cast<int>(PanelTool::Pointer) == static_cast<int>(CScenePic::ToolKind::Pointer)
                  && static_cast<int>(PanelTool::Building) == static_cast<int>(CScenePic::ToolKind::Building)
                  && static_cast<int>(PanelTool::Road) == static_cast<int>(CScenePic::ToolKind::Road));
    view_.SelectTool(static_cast<CScenePic::ToolKind>(choice.kind), choice.width, choice.height, choice.houseColour);
}

void COperaterDlg::SendColours()
{
    view_.SetColours(houseColour_->Color(), otherColour_->Color());
}

void COperaterDlg::SetRoadRadios()
{
    const int checked = config_.roadMake ? kRoadMake : config_.roadNotice ? kRoadNotice : kRoadIgnore;
    roadOptions_->button(checked)->setChecked(true);
}

void COperaterDlg::TakeRoadOption(int checkedId)
{
    config_.roadMake = checkedId == kRoadMake;
    config_.roadNotice = checkedId != kRoadIgnore;
}

bool COperaterDlg::SaveMapAs()
{
    const fs::path file = chooseFile_(FileDialogKind::Save);
    return !file.empty() && files_.SaveChosen(file);
}

bool COperaterDlg::MayDiscardMap()
{
    const ConfirmDiscard_Msg ask;
    center_.Send(ask);
    return ask.proceed;
}

void COperaterDlg::LoadMap()
{
    if (!MayDiscardMap())
        return;
    const fs::path file = chooseFile_(FileDialogKind::Open);
    if (!file.empty())
        files_.Load(file);
}

void COperaterDlg::ClearMap()
{
    CmdList::Instance().Add(std::make_unique<ClearScene_CMD>());
    view_.Painter().HidePreviews();
    view_.Selection().Clear();
    view_.update();
}

void COperaterDlg::SetSampleFolder(const fs::path& folder)
{
    sampleFolder_ = folder;
    files_.SetSampleFolder(folder);
}

void COperaterDlg::ToggleRecording()
{
    if (recorder_)
        StopRecording();
    else
        StartRecording();
}

void COperaterDlg::StartRecording()
{
    if (recorder_)
        return;
    // A new recording starts from an empty history; the commands of the last
    // one belong to its own starting map.
    CmdList::Instance().Clear();
    recorder_ = new CRecDlg(center_, config_, programFolder_, this);
    recorder_->show();
    config_.recording = true;
    Button(kRecord)->setText(tr("停止"));
    Button(kStartDemo)->setEnabled(false);
    files_.StartRecordingSnapshots();
}

void COperaterDlg::StopRecording()
{
    if (!recorder_)
        return;
    CRecDlg* recorder = recorder_;
    recorder_ = nullptr;
    recorder->Export();
    // The stop may come from the recorder's own button, still inside its click.
    recorder->hide();
    recorder->deleteLater();
    config_.recording = false;
    Button(kRecord)->setText(tr("录制"));
    std::vector<fs::path> demoFolders{programFolder_ / DemoCatalogue::kFolderName};
    if (!sampleFolder_.empty())
        demoFolders.insert(demoFolders.begin(), sampleFolder_ / DemoCatalogue::kFolderName);
    scene_.Demos().Rescan(demoFolders);
    RefreshDemoGroup();
}

void COperaterDlg::StartDemonstration()
{
    // The demonstration starts on a map of its own.
    if (!MayDiscardMap())
        return;
    config_.recording = false;
    Button(kRecord)->setText(tr("录制"));
    SelectTool(ToolChoice{});
    center_.Send(ChangePanel_Msg{"demo"});
}

void COperaterDlg::ShowBuildStatistics()
{
    const SceneStatistics stats = scene_.ComputeStatistics();
    CBuildStatDlg dialog(stats, config_, this);
    dialog.exec();
}

QString COperaterDlg::InWindowLanguage(QString modelText)
{
    // The statistics come from the model in Chinese, as the command-line
    // tool prints them; the panel shows their labels in the window's language.
    static constexpr const char* kLabels[] = {
        QT_TRANSLATE_NOOP("COperaterDlg", "总建筑面积:"), QT_TRANSLATE_NOOP("COperaterDlg", "已建筑面积:"),
        QT_TRANSLATE_NOOP("COperaterDlg", "可建筑面积:"), QT_TRANSLATE_NOOP("COperaterDlg", "道路总面积:"),
        QT_TRANSLATE_NOOP("COperaterDlg", "工厂:"),       QT_TRANSLATE_NOOP("COperaterDlg", "房屋:"),
        QT_TRANSLATE_NOOP("COperaterDlg", "其他:"),
    };
    for (const char* label : kLabels)
        modelText.replace(QString::fromUtf8(label), tr(label));
    return modelText;
}

void COperaterDlg::RefreshStatistics()
{
    statistics_->setText(InWindowLanguage(FromModelText(StatisticsText(scene_.ComputeStatistics()))));
}

void COperaterDlg::RefreshDemoGroup()
{
    demoCounter_->setText(QString::fromStdString(demoGroup_.Counter()));
    Button(kDemoNext)->setEnabled(demoGroup_.CanGoForward());
    Button(kDemoPrevious)->setEnabled(demoGroup_.CanGoBack());
    // A running recording keeps the demonstration from starting.
    Button(kStartDemo)->setEnabled(demoGroup_.CanStart() && !recorder_);
    // A label breaks lines at "\n" only; a lone CR would show as a glyph.
    demoLabel_->SetFullText(Translated(demoGroup_.Label()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void COperaterDlg::ReportSaveProblem(const fs::path& file, MapFileRequests::SaveProblem problem)
{
    const QString reason = problem == MapFileRequests::SaveProblem::NotAMapFile
                               ? tr("这个文件不是地图, 没有覆盖它:\n")
                               : tr("地图无法保存到:\n");
    errorBox_(QStringLiteral("Save Failed"), reason + PathText(file));
}

void COperaterDlg::OnUpdateGridView(const UpdateGridView_Msg*)
{
    RefreshStatistics();
}

void COperaterDlg::OnStopRec(const StopRec_Msg*)
{
    StopRecording();
}

void COperaterDlg::OnSaveMapAs(const SaveMapAs_Msg* msg)
{
    msg->saved = SaveMapAs();
}

void COperaterDlg::OnOpenMapFile(const OpenMapFile_Msg*)
{
    LoadMap();
}
