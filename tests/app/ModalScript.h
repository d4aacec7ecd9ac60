// Answers the modal dialogs and message boxes a command opens, in order, from a timer; what a
// message box said is recorded.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

class ModalScript : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;

    ModalScript();
    ~ModalScript() override;

    // The next modal widget to appear gets this answer.
    void Then(Answer answer) { m_answers.push_back(std::move(answer)); }
    // Answers for the common cases.
    void ThenMessage();                        // record the text, press OK
    void ThenFile(const QString& path);         // a file dialog: choose path
    void ThenCancel();                          // reject whatever it is

    QStringList messages;        // texts of the message boxes, in order
    int unexpected = 0;          // modal widgets that had no answer (rejected)
    bool Done() const { return m_answers.empty(); }

private:
    void Poll();
    QTimer m_timer;
    QPointer<QWidget> m_last;
    std::deque<Answer> m_answers;
};
