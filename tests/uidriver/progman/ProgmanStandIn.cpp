// A stand-in for Program Manager: a DDE server of the service and topic "PROGMAN" that keeps its
// groups and items in memory, answers the group requests as Program Manager does, and records
// every command it receives, so that a scenario sees what Setup and Unsetup ask for. Wine's own
// shell keeps a group that still holds items whatever DeleteGroup says; this one does as Program
// Manager does, and deletes the group with its items.
//
//   progman_standin.exe RECORD [GROUP=ITEM,ITEM ...]
//
// RECORD receives one line per command, "> command", and after each the groups as
// "= group: item|item"; the groups given on the command line exist from the start.
#include <windows.h>

#include <ddeml.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {
std::string recordPath;
DWORD instance = 0;
HSZ service = nullptr;
std::map<std::string, std::vector<std::string>> groups;  // by name as first created
std::string activeGroup;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::map<std::string, std::vector<std::string>>::iterator FindGroup(const std::string& name)
{
    return std::find_if(groups.begin(), groups.end(), [&](const auto& group) { return Lower(group.first) == Lower(name); });
}

void Record(const std::string& line)
{
    FILE* file = fopen(recordPath.c_str(), "ab");
    if (!file)
        return;
    fprintf(file, "%s\r\n", line.c_str());
    fclose(file);
}

void RecordGroups()
{
    for (const auto& [name, items] : groups) {
        std::string line = "= " + name + ":";
        for (std::size_t i = 0; i < items.size(); ++i)
            line += (i ? "|" : " ") + items[i];
        Record(line);
    }
}

std::string Unquoted(std::string text)
{
    std::size_t first = text.find_first_not_of(' ');
    std::size_t last = text.find_last_not_of(' ');
    text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

// "[Name (a,"b",c)]" as the name and its arguments; commas inside quotes stay.
bool Parse(const std::string& command, std::string& name, std::vector<std::string>& arguments)
{
    std::size_t open = command.find('(');
    std::size_t close = command.rfind(')');
    if (command.empty() || command[0] != '[' || open == std::string::npos || close == std::string::npos || close < open)
        return false;
    name = Lower(Unquoted(command.substr(1, open - 1)));
    std::string current;
    bool quoted = false;
    for (char c : command.substr(open + 1, close - open - 1)) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted) {
            arguments.push_back(Unquoted(current));
            current.clear();
        } else {
            current += c;
        }
    }
    arguments.push_back(Unquoted(current));
    return true;
}

void RemoveItem(const std::string& item)
{
    auto group = FindGroup(activeGroup);
    if (group == groups.end())
        return;
    auto& items = group->second;
    items.erase(std::remove_if(items.begin(), items.end(), [&](const std::string& known) { return Lower(known) == Lower(item); }),
                items.end());
}

bool Apply(const std::string& command)
{
    std::string name;
    std::vector<std::string> arguments;
    if (!Parse(command, name, arguments) || arguments.empty())
        return false;
    if (name == "creategroup" || name == "showgroup") {
        auto group = FindGroup(arguments[0]);
        if (group == groups.end()) {
            if (name == "showgroup")
                return false;
            groups[arguments[0]];
            activeGroup = arguments[0];
        } else {
            activeGroup = group->first;
        }
    } else if (name == "deletegroup") {
        auto group = FindGroup(arguments[0]);
        if (group == groups.end())
            return false;
        groups.erase(group);
    } else if (name == "additem" && arguments.size() >= 2) {
        auto group = FindGroup(activeGroup);
        if (group == groups.end())
            return false;
        group->second.push_back(arguments[1]);
    } else if (name == "replaceitem" || name == "deleteitem") {
        RemoveItem(arguments[0]);
    } else {
        return false;
    }
    return true;
}

// The answer to a request: the group names for "Groups" and "Progman"; for a group, a line that
// describes it and one line per item, as Program Manager gives them.
bool Answer(const std::string& item, std::string& text)
{
    if (Lower(item) == "groups" || Lower(item) == "progman") {
        for (const auto& group : groups)
            text += group.first + "\r\n";
        return true;
    }
    auto group = FindGroup(item);
    if (group == groups.end())
        return false;
    text = "\"" + group->first + "\",C:\\WINDOWS\\" + group->first + ".GRP," + std::to_string(group->second.size()) +
           ",1\r\n";
    for (const std::string& entry : group->second)
        text += "\"" + entry + "\",\"\",C:\\WINDOWS\\PROGMAN.EXE,0,0,0,0,0\r\n";
    return true;
}

std::string Text(HSZ handle)
{
    char buffer[512] = {};
    DdeQueryStringA(instance, handle, buffer, sizeof buffer, CP_WINANSI);
    return buffer;
}

HDDEDATA CALLBACK OnTransaction(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(Lower(Text(topic)) == "progman"));
    case XTYP_EXECUTE: {
        DWORD size = DdeGetData(data, nullptr, 0, 0);
        std::string command(size, '\0');
        DdeGetData(data, reinterpret_cast<BYTE*>(&command[0]), size, 0);
        command.resize(strlen(command.c_str()));
        bool done = Apply(command);
        Record("> " + command + (done ? "" : " (refused)"));
        RecordGroups();
        return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(done ? DDE_FACK : DDE_FNOTPROCESSED));
    }
    case XTYP_REQUEST: {
        std::string text;
        Record("? " + Text(item));
        if (format != CF_TEXT || !Answer(Text(item), text))
            return nullptr;
        return DdeCreateDataHandle(instance, reinterpret_cast<BYTE*>(&text[0]), static_cast<DWORD>(text.size() + 1), 0,
                                   item, CF_TEXT, 0);
    }
    default:
        return nullptr;
    }
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: progman_standin RECORD [GROUP=ITEM,ITEM ...]\n");
        return 2;
    }
    recordPath = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::string given = argv[i];
        std::size_t equal = given.find('=');
        std::vector<std::string>& items = groups[given.substr(0, equal)];
        for (std::size_t start = equal; start != std::string::npos && start + 1 <= given.size();) {
            std::size_t comma = given.find(',', start + 1);
            std::string entry = given.substr(start + 1, comma == std::string::npos ? std::string::npos : comma - start - 1);
            if (!entry.empty())
                items.push_back(entry);
            start = comma;
        }
    }
    if (DdeInitializeA(&instance, OnTransaction, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES, 0) != DMLERR_NO_ERROR)
        return 1;
    service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (!DdeNameService(instance, service, nullptr, DNS_REGISTER))
        return 1;
    Record("ready");
    RecordGroups();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    return 0;
}
