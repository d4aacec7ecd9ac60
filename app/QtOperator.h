// The operator interface on Qt: message boxes with the application title as caption, the
// program's own dialogs, and Qt's file dialogs.
#pragma once

#include "Operator.h"

#include <QString>

class QWidget;

class QtOperator : public Operator {
public:
    // Dialogs are owned by parent (the main window), or free-standing while it is null.
    explicit QtOperator(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const std::string& text) override;
    DialogResult RunRawDataDialog(RawDataValues& values) override;
    DialogResult RunGageInfoDialog(GageInfoValues& values) override;
    bool AskSaveFileName(FileKind kind, const std::string& proposed, std::string& path) override;
    bool AskOpenFileName(FileKind kind, std::string& path) override;
    SaveChangesAnswer AskSaveChanges(const std::string& title) override;

    // The desktop program's own question for "Export PDF...": a ".pdf" file to write.
    bool AskPdfFileName(std::string& path);

private:
    // Qt's file dialog, to write (save) or to read an existing file; false when cancelled.
    bool AskFileName(bool save, const QString& filter, const QString& suffix, const std::string& proposed,
                     std::string& path);

    QWidget* m_parent;
};
