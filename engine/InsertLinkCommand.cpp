// Inserting a link's text and laying the link over it.
#include "engine/InsertLinkCommand.h"

#include "engine/EditTarget.h"
#include "engine/Selector.h"
#include "links/LinkInfo.h"
#include "links/LinkManager.h"

namespace {
TOwned<ILinkInfo> CopyOrNull(ILinkInfo* link) {
    return TOwned<ILinkInfo>(zarni::CopyLink(link));
}
CString TextOf(const TOwned<ILinkInfo>& link) {
    return link ? link->GetText() : CString();
}
}  // namespace

CInsertLinkCommand::CInsertLinkCommand(int pos, ILinkInfo* link)
    : CInsertLinkCommand(pos, CopyOrNull(link)) {}

CInsertLinkCommand::CInsertLinkCommand(int pos, TOwned<ILinkInfo> link)
    : CInsertTextCommand(pos, TextOf(link)), m_link(std::move(link)) {}

ICommand* CInsertLinkCommand::Clone() {
    auto copy = MakeOwned<CInsertLinkCommand>(GetPos(), m_link.get());
    CopyStateTo(*copy);
    return copy.release();
}

BOOL CInsertLinkCommand::Do() {
    CLinkManager* links = m_target ? m_target->GetLinks() : nullptr;
    ISelector* sel = m_target ? m_target->GetSelector() : nullptr;
    if (links == nullptr || sel == nullptr || !m_link || !CInsertTextCommand::Do())
        return FALSE;
    links->SetLink(CRange(GetPos(), sel->GetSel().end), m_link.get());
    return TRUE;
}
