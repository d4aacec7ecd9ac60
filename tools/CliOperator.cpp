#include "CliOperator.h"

void CliOperator::ShowMessage(const std::string& text)
{
    m_messages.push_back(text);
}

DialogResult CliOperator::RunRawDataDialog(RawDataValues& values)
{
    if (m_rawDataAnswered)
        return DialogResult::Cancel;
    m_rawDataAnswered = true;
    values.m_strDataFile = m_args.input;
    values.m_nTraces = m_args.traces;
    values.m_nUnit = m_args.unit;
    return DialogResult::Ok;
}

DialogResult CliOperator::RunGageInfoDialog(GageInfoValues& values)
{
    values.m_strGageInfo = m_args.gage ? *m_args.gage : m_currentGage;
    values.m_strGratingInfo = m_args.grating ? *m_args.grating : m_currentGrating;
    return DialogResult::Ok;
}

void CliOperator::SetCurrentTexts(const std::string& gage, const std::string& grating)
{
    m_currentGage = gage;
    m_currentGrating = grating;
}

bool CliOperator::AskSaveFileName(FileKind, const std::string&, std::string& path)
{
    if (m_args.output.empty())
        return false;
    path = m_args.output;
    return true;
}

bool CliOperator::AskOpenFileName(FileKind, std::string&)
{
    return false;
}

SaveChangesAnswer CliOperator::AskSaveChanges(const std::string&)
{
    return SaveChangesAnswer::No;
}
