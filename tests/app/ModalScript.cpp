#include "ModalScript.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

ModalScript::ModalScript()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalScript::Poll);
    m_timer.start();
}

ModalScript::~ModalScript() = default;

void ModalScript::Poll()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == m_last || !w->isVisible())
        return;
    m_last = w;
    if (m_answers.empty()) {
        ++unexpected;
        if (auto* box = qobject_cast<QMessageBox*>(w))
            messages << box->text();
        if (auto* dlg = qobject_cast<QDialog*>(w))
            dlg->reject();
        return;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    answer(w);
}

void ModalScript::ThenMessage()
{
    Then([this](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            ++unexpected;
            if (auto* dlg = qobject_cast<QDialog*>(w))
                dlg->reject();
            return;
        }
        messages << box->text();
        box->accept();
    });
}

void ModalScript::ThenFile(const QString& path)
{
    Then([this, path](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        if (!dlg) {
            ++unexpected;
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            return;
        }
        dlg->selectFile(path);
        QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
    });
}

void ModalScript::ThenCancel()
{
    Then([](QWidget* w) {
        if (auto* dlg = qobject_cast<QDialog*>(w))
            dlg->reject();
    });
}
