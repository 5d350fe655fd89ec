#pragma once
// Helpers of the profile tests: a scratch directory for profile files, the store in a compact
// text form, and a recorder of the user messages.
#include <string>
#include <vector>

#include "framework/UserMessage.h"
#include "profile/CIniFile.h"

class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return path; }
    // Writes the bytes to a file of the directory and returns its full name.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path;
};

// The store as "[section] key={value}{value} ...", sections separated by a space.
std::string RenderStore(const CIniFile& store);

// Reads one profile text through CInstallProfile and renders the store.
std::string ReadProfileText(const std::string& text);

// Records the texts of ShowUserMessage while it lives.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    std::vector<std::string> messages;

private:
    UserMessageHandler previous;
};
