#include "CRawDataDlg.h"

#include "Operator.h"
#include "ui_CRawDataDlg.h"

#include <QFileDialog>
#include <QRegularExpressionValidator>

CRawDataDlg::CRawDataDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CRawDataDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Digits only, as the gage's trace field always was.
    m_ui->IDC_1002->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this));
    connect(m_ui->IDC_1000, &QLineEdit::textChanged, this, &CRawDataDlg::OnChangeDataFile);
    connect(m_ui->IDC_1002, &QLineEdit::textChanged, this, &CRawDataDlg::OnChangeTraces);
    connect(m_ui->IDC_1004, qOverload<int>(&QComboBox::currentIndexChanged), this, &CRawDataDlg::OnSelChangeUnit);
    connect(m_ui->IDC_1001, &QPushButton::clicked, this, &CRawDataDlg::OnBrowse);

    // Setting a field raises its change handler, so the members always equal the fields.
    m_ui->IDC_1000->setText(QString::fromUtf8(DEFAULT_DATA_FILE));
    m_ui->IDC_1002->setText(QString::number(DEFAULT_TRACE_COUNT));
    m_strDataFile = QString::fromUtf8(DEFAULT_DATA_FILE);
    m_nTraces = DEFAULT_TRACE_COUNT;
    m_ui->IDC_1004->setCurrentIndex(0);
    m_nUnit = 0;
}

CRawDataDlg::~CRawDataDlg() = default;

void CRawDataDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_ui->IDOK->setFocus();  // the first control in the tab order
}

void CRawDataDlg::OnChangeDataFile(const QString& text)
{
    m_strDataFile = text;
}

void CRawDataDlg::OnChangeTraces(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    m_nTraces = ok ? value : 0;
}

void CRawDataDlg::OnSelChangeUnit(int index)
{
    m_nUnit = index == 0 ? 0 : 1;
}

void CRawDataDlg::OnBrowse()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), QString(), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        m_ui->IDC_1000->setText(path);
}
