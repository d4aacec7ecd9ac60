#include "Measurement.h"

#include "CliOperator.h"
#include "DocumentCommands.h"
#include "DocumentFramework.h"
#include "QuorvelwDoc.h"
#include "ToolArguments.h"

bool LoadInput(CQuorvelwDoc& doc, CliOperator& op, const ToolArguments& args)
{
    const bool isDocument = IsDocumentInput(args.input);
    if (!StartUp(doc, op, isDocument ? args.input : std::string()))
        return false;
    if (!isDocument) {
        OnFileNew(doc, op);
        if (doc.m_bDataLoaded != 1)
            return false;
    }
    // A document whose measurement cannot be evaluated opens empty after its message.
    if (!op.Messages().empty())
        return false;
    if (args.gage || args.grating) {
        op.SetCurrentTexts(doc.m_strGageInfo, doc.m_strGratingInfo);
        OnSetupGageInfo(doc, op);
    }
    return true;
}
