#include "ScriptedOperator.h"

#include <gtest/gtest.h>

namespace {

template <class T>
std::optional<T> Next(std::deque<std::optional<T>>& answers, const std::string& question)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question;
        return std::nullopt;
    }
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

std::vector<std::string> ScriptedOperator::Messages() const
{
    std::vector<std::string> texts;
    const std::string mark = "message: ";
    for (const std::string& e : events) {
        if (e.compare(0, mark.size(), mark) == 0)
            texts.push_back(e.substr(mark.size()));
    }
    return texts;
}

void ScriptedOperator::AcceptRawData(const std::string& file, int traces, int unit)
{
    RawDataValues v;
    v.m_strDataFile = file;
    v.m_nTraces = traces;
    v.m_nUnit = unit;
    rawData.push_back(v);
}

void ScriptedOperator::ShowMessage(const std::string& text)
{
    events.push_back("message: " + text);
}

DialogResult ScriptedOperator::RunRawDataDialog(RawDataValues& values)
{
    events.push_back("dialog: Load Raw Data");
    rawDataOffered = values;
    const auto answer = Next(rawData, events.back());
    if (!answer)
        return DialogResult::Cancel;
    values = *answer;
    return DialogResult::Ok;
}

DialogResult ScriptedOperator::RunGageInfoDialog(GageInfoValues& values)
{
    events.push_back("dialog: Gage Info");
    gageInfoOffered = values;
    const auto answer = Next(gageInfo, events.back());
    if (!answer)
        return DialogResult::Cancel;
    values = *answer;
    return DialogResult::Ok;
}

bool ScriptedOperator::AskSaveFileName(FileKind kind, const std::string& proposed, std::string& path)
{
    events.push_back(std::string("ask save name: ") + (kind == FileKind::Document ? "document" : "compensation"));
    proposedName = proposed;
    const auto answer = Next(saveNames, events.back());
    if (!answer)
        return false;
    path = *answer;
    return true;
}

bool ScriptedOperator::AskOpenFileName(FileKind kind, std::string& path)
{
    events.push_back(kind == FileKind::Document ? "ask open name" : "ask open name: any");
    const auto answer = Next(openNames, events.back());
    if (!answer)
        return false;
    path = *answer;
    return true;
}

SaveChangesAnswer ScriptedOperator::AskSaveChanges(const std::string& title)
{
    events.push_back("ask save changes: " + title);
    if (saveChanges.empty()) {
        ADD_FAILURE() << "unexpected question: " << events.back();
        return SaveChangesAnswer::Cancel;
    }
    const SaveChangesAnswer answer = saveChanges.front();
    saveChanges.pop_front();
    return answer;
}
