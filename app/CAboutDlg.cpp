#include "CAboutDlg.h"

#include "ui_CAboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CAboutDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

CAboutDlg::~CAboutDlg() = default;
