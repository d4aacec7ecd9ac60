// The gage and grating dialog: the two texts the reports print. Opens with the defaults.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CGageInfoDlg;
}

class CGageInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CGageInfoDlg(QWidget* parent = nullptr);
    ~CGageInfoDlg() override;

    QString m_strGageInfo;
    QString m_strGratingInfo;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OnChangeGageInfo(const QString& text);
    void OnChangeGratingInfo(const QString& text);

private:
    std::unique_ptr<Ui::CGageInfoDlg> m_ui;
};
