#pragma once

#include <QDialog>

class AppConfig;
class CColorListCtrl;
struct SceneStatistics;

// "分类建筑信息": one row per building colour with its category label, the
// number of buildings and their area, the highest colour value first.
class CBuildStatDlg : public QDialog {
    Q_OBJECT

public:
    // `stats` must outlive the dialog.
    CBuildStatDlg(const SceneStatistics& stats, const AppConfig& config, QWidget* parent = nullptr);
    ~CBuildStatDlg() override;

    CColorListCtrl* List() const { return list_; }

private:
    CColorListCtrl* list_;
};
