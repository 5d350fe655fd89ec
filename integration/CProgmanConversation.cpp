#include "integration/CProgmanConversation.h"

namespace {
constexpr char kProgman[] = "PROGMAN";
}

CProgmanConversation::~CProgmanConversation()
{
    Disconnect();
}

bool CProgmanConversation::OpenConversation(bool start)
{
    if (IsConnected())
        return true;
    if (Connect(kProgman, kProgman))
        return true;
    if (!start)
        return false;
    WinExec("progman.exe", SW_SHOW);
    return Connect(kProgman, kProgman);
}

bool CProgmanConversation::CreateGroup(const std::string& name)
{
    return OpenConversation(true) && Execute(ProgmanCommand::CreateGroup(name));
}

bool CProgmanConversation::CreateGroup(const std::string& name, const std::string& groupFile)
{
    return OpenConversation(true) && Execute(ProgmanCommand::CreateGroup(name, groupFile));
}

bool CProgmanConversation::DeleteGroup(const std::string& name)
{
    return OpenConversation(true) && Execute(ProgmanCommand::DeleteGroup(name));
}

bool CProgmanConversation::ReplaceItem(const std::string& name)
{
    return Execute(ProgmanCommand::ReplaceItem(name));
}

bool CProgmanConversation::DeleteItem(const std::string& name)
{
    return Execute(ProgmanCommand::DeleteItem(name));
}

bool CProgmanConversation::AddItem(const ProgmanItem& item)
{
    return OpenConversation(true) && Execute(ProgmanCommand::AddItem(item));
}

int CProgmanConversation::GetGroups(HWND listBox)
{
    std::vector<std::string> names;
    GroupNames(names);
    for (const std::string& name : names)
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return static_cast<int>(names.size());
}

bool CProgmanConversation::GroupNames(std::vector<std::string>& names)
{
    // Some shells answer "Progman" with nothing and serve the list only as "Groups".
    names.clear();
    if (RequestGroupNames("Progman", names) && !names.empty())
        return true;
    return RequestGroupNames("Groups", names);
}

std::optional<bool> CProgmanConversation::IsGroupEmpty(const std::string& name)
{
    Disconnect();
    std::string answer;
    if (!OpenConversation(true) || !Request(name, answer))
        return std::nullopt;
    return GroupAnswerShowsEmpty(answer);
}

bool CProgmanConversation::RequestGroupNames(const std::string& item, std::vector<std::string>& names)
{
    // A server may answer only one request per conversation: each request gets a fresh one.
    Disconnect();
    std::string answer;
    if (!OpenConversation(true) || !Request(item, answer))
        return false;
    names = SplitGroupNames(answer);
    return true;
}
