#include "app/CStrInputDlg.h"

#include "view/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CStrInputDlg::CStrInputDlg(const QString& prompt, const std::string& initial, QWidget* owner)
    : QDialog(owner),
      label_(new QLabel(tr("输入吧:"), this)),
      edit_(new QPlainTextEdit(this)),
      ok_(new QPushButton(tr("确认"), this)),
      cancel_(new QPushButton(tr("取消"), this))
{
    setWindowTitle(QStringLiteral("QuarrinLayvane Sample Input"));
    label_->setText(prompt);
    edit_->setPlainText(FromModelText(initial));
    ok_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    resize(320, 160);

    connect(ok_, &QPushButton::clicked, this, &CStrInputDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CStrInputDlg::reject);
}

void CStrInputDlg::accept()
{
    result_ = ToModelText(edit_->toPlainText());
    QDialog::accept();
}
