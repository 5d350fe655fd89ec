#pragma once
// The conversation with Program Manager that makes and removes program groups and their items.
// Each command opens the conversation first where it needs one, starting Program Manager if it
// is not running; no failure is reported to the user.
#include <optional>
#include <vector>

#include "integration/CDdeClient.h"
#include "integration/ShortcutRules.h"

class CProgmanConversation : public CDdeClient {
public:
    ~CProgmanConversation() override;

    // true when connected; with start, Program Manager is started once when it does not answer.
    bool OpenConversation(bool start);

    // Creates the group, or makes an existing one the active group that items go to.
    bool CreateGroup(const std::string& name);
    bool CreateGroup(const std::string& name, const std::string& groupFile);
    bool DeleteGroup(const std::string& name);
    // Both act on the active group.
    bool ReplaceItem(const std::string& name);
    bool DeleteItem(const std::string& name);
    bool AddItem(const ProgmanItem& item);
    // Adds the names of the existing groups to the list box; the number added.
    int GetGroups(HWND listBox);
    // The existing groups; false when Program Manager would not tell.
    bool GroupNames(std::vector<std::string>& names);
    // Whether the group holds no item, as Program Manager describes it; nullopt when it would not
    // describe the group.
    std::optional<bool> IsGroupEmpty(const std::string& name);

private:
    bool RequestGroupNames(const std::string& item, std::vector<std::string>& names);
};
