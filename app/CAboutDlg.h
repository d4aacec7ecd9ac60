// The About box: icon, version, the maker's notice.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CAboutDlg;
}

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::CAboutDlg> m_ui;
};
