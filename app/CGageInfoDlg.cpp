#include "CGageInfoDlg.h"

#include "Operator.h"
#include "ui_CGageInfoDlg.h"

CGageInfoDlg::CGageInfoDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CGageInfoDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(m_ui->IDC_1007, &QLineEdit::textChanged, this, &CGageInfoDlg::OnChangeGageInfo);
    connect(m_ui->IDC_1008, &QLineEdit::textChanged, this, &CGageInfoDlg::OnChangeGratingInfo);
    m_ui->IDC_1007->setText(QString::fromUtf8(DEFAULT_GAGE_INFO));
    m_ui->IDC_1008->setText(QString::fromUtf8(DEFAULT_GRATING_INFO));
    m_strGageInfo = QString::fromUtf8(DEFAULT_GAGE_INFO);
    m_strGratingInfo = QString::fromUtf8(DEFAULT_GRATING_INFO);
}

CGageInfoDlg::~CGageInfoDlg() = default;

void CGageInfoDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_ui->IDOK->setFocus();
}

void CGageInfoDlg::OnChangeGageInfo(const QString& text)
{
    m_strGageInfo = text;
}

void CGageInfoDlg::OnChangeGratingInfo(const QString& text)
{
    m_strGratingInfo = text;
}
