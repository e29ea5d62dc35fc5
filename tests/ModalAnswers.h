#pragma once

// Answers the modal dialogs that window tests open, one answer per dialog.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>

// Answers every modal dialog of type D that opens, until the answers run out.
template <class D>
class ModalAnswers {
public:
    explicit ModalAnswers(std::deque<std::function<void(D*)>> answers) : answers_(std::move(answers))
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            // Marked rather than remembered: the next dialog may reuse the address of the last.
            if (dialog && !dialog->property(kAnswered).toBool() && !answers_.empty()) {
                dialog->setProperty(kAnswered, true);
                auto answer = std::move(answers_.front());
                answers_.pop_front();
                answer(dialog);
            }
        });
        poll_.start(5);
    }
    bool AllUsed() const { return answers_.empty(); }

private:
    std::deque<std::function<void(D*)>> answers_;
    static constexpr const char* kAnswered = "modalAnswersAnswered";
    QTimer poll_;
};

// Presses the button of the box that has this role ("不保存" is the destructive one).
inline void ClickRole(QMessageBox* box, QMessageBox::ButtonRole role)
{
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == role) {
            button->click();
            return;
        }
    }
}

inline std::function<void(QMessageBox*)> Answer(QMessageBox::ButtonRole role)
{
    return [role](QMessageBox* box) { ClickRole(box, role); };
}
