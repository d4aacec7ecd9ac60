#include "QtOperator.h"

#include "CGageInfoDlg.h"
#include "CRawDataDlg.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QString Filter(FileKind kind)
{
    return kind == FileKind::Document ? QStringLiteral(" Pellmoor Quorvel Files (*.qvl)") : QString();
}

// Qt's own file dialog: the same on every desktop, and answerable in headless tests.
constexpr QFileDialog::Options kFileDialogOptions = QFileDialog::DontUseNativeDialog;

}  // namespace

void QtOperator::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(APP_TITLE), QString::fromStdString(text),
                    QMessageBox::Ok, m_parent);
    box.exec();
}

DialogResult QtOperator::RunRawDataDialog(RawDataValues& values)
{
    CRawDataDlg dlg(m_parent);
    if (dlg.exec() != QDialog::Accepted)
        return DialogResult::Cancel;
    values.m_nUnit = dlg.m_nUnit;
    values.m_strDataFile = dlg.m_strDataFile.toStdString();
    values.m_nTraces = dlg.m_nTraces;
    return DialogResult::Ok;
}

DialogResult QtOperator::RunGageInfoDialog(GageInfoValues& values)
{
    CGageInfoDlg dlg(m_parent);
    if (dlg.exec() != QDialog::Accepted)
        return DialogResult::Cancel;
    values.m_strGageInfo = dlg.m_strGageInfo.toStdString();
    values.m_strGratingInfo = dlg.m_strGratingInfo.toStdString();
    return DialogResult::Ok;
}

bool QtOperator::AskFileName(bool save, const QString& filter, const QString& suffix, const std::string& proposed,
                             std::string& path)
{
    QFileDialog dlg(m_parent, QString(), QString::fromStdString(proposed), filter);
    dlg.setOptions(kFileDialogOptions);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!suffix.isEmpty())
        dlg.setDefaultSuffix(suffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().constFirst().toStdString();
    return true;
}

bool QtOperator::AskSaveFileName(FileKind kind, const std::string& proposed, std::string& path)
{
    const QString suffix = kind == FileKind::Document ? QStringLiteral("qvl") : QString();
    return AskFileName(true, Filter(kind), suffix, proposed, path);
}

bool QtOperator::AskPdfFileName(std::string& path)
{
    return AskFileName(true, QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("pdf"), std::string(), path);
}

bool QtOperator::AskOpenFileName(FileKind kind, std::string& path)
{
    return AskFileName(false, Filter(kind), QString(), std::string(), path);
}

SaveChangesAnswer QtOperator::AskSaveChanges(const std::string& title)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(APP_TITLE),
                    QStringLiteral("Save changes to %1?").arg(QString::fromStdString(title)),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveChangesAnswer::Yes;
    case QMessageBox::No:
        return SaveChangesAnswer::No;
    default:
        return SaveChangesAnswer::Cancel;
    }
}
