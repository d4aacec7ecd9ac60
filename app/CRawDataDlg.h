// The Load Raw Data dialog: first data file, number of traces, unit. Opens with the fixed
// defaults; every edit copies the field into its member at once, read after OK.
#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>

namespace Ui {
class CRawDataDlg;
}

class CRawDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRawDataDlg(QWidget* parent = nullptr);
    ~CRawDataDlg() override;

    std::int32_t m_nUnit = 0;    // 0 "English (inch)", 1 otherwise
    QString m_strDataFile;       // text of the First Data File field
    std::int32_t m_nTraces = 0;  // Number of Traces field; 0 when empty or not a number

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OnChangeDataFile(const QString& text);
    void OnChangeTraces(const QString& text);
    void OnSelChangeUnit(int index);
    void OnBrowse();

private:
    std::unique_ptr<Ui::CRawDataDlg> m_ui;
};
