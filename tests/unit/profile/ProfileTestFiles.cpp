#include "ProfileTestFiles.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "profile/CInstallProfile.h"

// A fresh directory under the temporary directory; portable, so the tests also run on Windows.
ScratchDirectory::ScratchDirectory()
{
    static unsigned counter = 0;
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = std::filesystem::temp_directory_path() /
            ("kalmora-profile-" + std::to_string(seed()) + "-" + std::to_string(++counter));
        if (std::filesystem::create_directory(candidate)) {
            path = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch directory");
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string ScratchDirectory::Write(const std::string& name, const std::string& bytes) const
{
    std::filesystem::path full = std::filesystem::path(path) / name;
    std::filesystem::create_directories(full.parent_path());
    std::FILE* file = std::fopen(full.string().c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + full.string());
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return full.string();
}

std::string RenderStore(const CIniFile& store)
{
    std::string text;
    for (const CIniSection& section : store.Sections()) {
        if (!text.empty())
            text += ' ';
        text += "[" + section.Name() + "]";
        for (const CIniKey& key : section.Keys()) {
            text += ' ' + key.Name() + '=';
            for (const std::string& value : key.Values())
                text += '{' + value + '}';
        }
    }
    return text;
}

std::string ReadProfileText(const std::string& text)
{
    ScratchDirectory directory;
    CInstallProfile profile(directory.Write("ov_setup.ini", text));
    profile.Load();
    return RenderStore(profile.File());
}

MessageRecorder::MessageRecorder()
{
    previous = SetUserMessageHandler([this](const std::string& text) { messages.push_back(text); });
}

MessageRecorder::~MessageRecorder()
{
    SetUserMessageHandler(std::move(previous));
}
