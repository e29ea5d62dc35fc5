#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Asks the user for a line of text; prompt, initial text and result are
// model texts (GB18030).
class CStrInputDlg : public QDialog {
    Q_OBJECT

public:
    CStrInputDlg(const QString& prompt, const std::string& initial, QWidget* owner = nullptr);

    // Valid after the dialog ended with Accepted.
    const std::string& Result() const { return result_; }

    QPlainTextEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;

private:
    QLabel* label_;
    QPlainTextEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::string result_;
};
