#include "search/CLaySetDlg.h"

#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/DialogUnits.h"
#include "search/LaySettings.h"
#include "view/QtText.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

QLineEdit* NumberEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QLabel* WrappedText(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

CLaySetDlg::CLaySetDlg(MsgCenter& center, AppConfig& config, QWidget* parent)
    : QWidget(parent), center_(center), config_(config)
{
    using dialog_units::Place;

    // Boxes first, so that the controls placed over them stay on top.
    auto* memoryBox = new QGroupBox(tr("搜索时的内存使用"), this);
    Place(memoryBox, 4, 21, 143, 124);
    auto* backLineBox = new QGroupBox(tr("回溯行数"), this);
    Place(backLineBox, 4, 150, 143, 92);
    auto* modeBox = new QGroupBox(tr("布局方式"), this);
    Place(modeBox, 4, 244, 143, 64);

    Place(new QLabel(tr("QuarrinLayvane 自动布局搜索选项"), this), 8, 5, 135, 9);

    // A radio button cannot wrap its text; the label beside it carries it.
    autoRadio_ = new QRadioButton(this);
    Place(autoRadio_, 10, 33, 10, 10);
    autoText_ = WrappedText(tr("自动"), this);
    autoText_->installEventFilter(this);
    Place(autoText_, 21, 33, 122, 66);

    fixedRadio_ = new QRadioButton(tr("指定最大"), this);
    Place(fixedRadio_, 10, 104, 70, 10);
    budgetEdit_ = NumberEdit(this);
    Place(budgetEdit_, 21, 120, 60, 13);
    Place(new QLabel(QStringLiteral("M"), this), 85, 122, 10, 9);

    backLineEdit_ = NumberEdit(this);
    Place(backLineEdit_, 12, 164, 60, 13);
    Place(WrappedText(tr("        修改此值可以控制搜索的精细度,当你搜索出来的结果浪费土地太多时可以尝试增加该值"
                                     "来改善搜索效果,当你的搜索时间和占用内存太大时可以减小此值来降低消耗."),
                      this),
          12, 180, 130, 60);

    // The two modes form their own group, apart from the memory radios.
    auto* modeGroup = new QButtonGroup(this);
    beamRadio_ = new QRadioButton(tr("回溯搜索"), this);
    Place(beamRadio_, 10, 255, 130, 10);
    optimisedRadio_ = new QRadioButton(tr("优化布局 (逼近最少浪费)"), this);
    Place(optimisedRadio_, 10, 268, 130, 10);
    modeGroup->addButton(beamRadio_);
    modeGroup->addButton(optimisedRadio_);
    Place(new QLabel(tr("时间限制"), this), 21, 285, 38, 9);
    secondsEdit_ = NumberEdit(this);
    Place(secondsEdit_, 60, 283, 40, 13);
    Place(new QLabel(tr("秒"), this), 104, 285, 12, 9);

    okButton_ = new QPushButton(tr("确定"), this);
    Place(okButton_, 52, 312, 44, 16);

    (config_.autoMemory ? autoRadio_ : fixedRadio_)->setChecked(true);
    budgetEdit_->setEnabled(!config_.autoMemory);
    budgetEdit_->setText(QString::number(config_.memoryBudget));
    backLineEdit_->setText(QString::number(config_.maxBackLine));
    (config_.optimisedLayout ? optimisedRadio_ : beamRadio_)->setChecked(true);
    secondsEdit_->setEnabled(config_.optimisedLayout);
    secondsEdit_->setText(QString::number(config_.layoutSeconds));

    // Toggled rather than clicked, so arrow keys between the radios count too.
    connect(fixedRadio_, &QRadioButton::toggled, budgetEdit_, &QLineEdit::setEnabled);
    connect(optimisedRadio_, &QRadioButton::toggled, secondsEdit_, &QLineEdit::setEnabled);
    connect(okButton_, &QPushButton::clicked, this, &CLaySetDlg::Apply);
}

void CLaySetDlg::Apply()
{
    const auto shownBudget = LaySettings::Apply(config_, autoRadio_->isChecked(), ToModelText(budgetEdit_->text()),
                                                ToModelText(backLineEdit_->text()));
    if (shownBudget)
        budgetEdit_->setText(QString::number(*shownBudget));
    if (const auto shownSeconds =
            LaySettings::ApplyMode(config_, optimisedRadio_->isChecked(), ToModelText(secondsEdit_->text())))
        secondsEdit_->setText(QString::number(*shownSeconds));
    center_.Send(ChangePanel_Msg{"main"});
}

void CLaySetDlg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    config_.RefreshMemory();
    autoText_->setText(Translated(LaySettings::AutoMemoryText(config_)));
}

void CLaySetDlg::closeEvent(QCloseEvent* event)
{
    // A panel leaves only through "确定".
    event->ignore();
}

bool CLaySetDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == autoText_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        autoRadio_->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
