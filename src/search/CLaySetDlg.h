#pragma once

#include <QWidget>

class AppConfig;
class MsgCenter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The side panel "set": the memory the layout search may use (automatic or a
// fixed maximum), its back lines, and the layout mode (the beam search or the
// optimised mode with its time limit). Nothing reaches the settings before "确定".
class CLaySetDlg : public QWidget {
    Q_OBJECT

public:
    CLaySetDlg(MsgCenter& center, AppConfig& config, QWidget* parent = nullptr);

    QRadioButton* AutoRadio() const { return autoRadio_; }
    // The automatic choice's text, which wraps over several lines.
    QLabel* AutoText() const { return autoText_; }
    QRadioButton* FixedRadio() const { return fixedRadio_; }
    QLineEdit* BudgetEdit() const { return budgetEdit_; }
    QLineEdit* BackLineEdit() const { return backLineEdit_; }
    QRadioButton* BeamRadio() const { return beamRadio_; }
    QRadioButton* OptimisedRadio() const { return optimisedRadio_; }
    QLineEdit* SecondsEdit() const { return secondsEdit_; }
    QPushButton* OkButton() const { return okButton_; }

    // What "确定" does: store the values, then back to the panel "main".
    void Apply();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MsgCenter& center_;
    AppConfig& config_;
    QRadioButton* autoRadio_;
    QLabel* autoText_;
    QRadioButton* fixedRadio_;
    QLineEdit* budgetEdit_;
    QLineEdit* backLineEdit_;
    QRadioButton* beamRadio_;
    QRadioButton* optimisedRadio_;
    QLineEdit* secondsEdit_;
    QPushButton* okButton_;
};
