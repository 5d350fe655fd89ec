#pragma once
// A file or directory path, edited by its components and asked about the file system.
// The component operations are portable; the file-system part is built only for Windows.
#include <memory>
#include <string>

// <windows.h> still defines GetFreeSpace as a macro of the 16-bit API; it would hide the member.
#ifdef GetFreeSpace
#undef GetFreeSpace
#endif

class CFilePath {
public:
    // Buffer size of a path including its terminator: a path holds at most kMaxPath - 1 characters.
    static constexpr int kMaxPath = 260;
    // Length of the longest name RandomHexName gives (five numbers of four hex digits).
    static constexpr int kMaxRandomHexName = 20;
    // Attribute bit of a directory in a directory search.
    static constexpr int kDirectoryAttribute = 0x10;

    // The well-known directories a path can start from; each gives a trailing backslash.
    enum class Known { currentDir = 0, windowsDir = 1, systemDir = 2, programDir = 3, tempDir = 4 };

    // The four parts of a path as the run-time library's path splitting gives them:
    // drive "C:", directory with leading and trailing separators, name, extension with its dot.
    struct Components {
        std::string drive;
        std::string dir;
        std::string name;
        std::string ext;
    };

    CFilePath() = default;
    CFilePath(const std::string& text) : path(text) {}
    CFilePath(const char* text) : path(text ? text : "") {}
    explicit CFilePath(Known kind);
    // Copying takes the path only, never an open search.
    CFilePath(const CFilePath& other) : path(other.path) {}
    CFilePath& operator=(const CFilePath& other);
    ~CFilePath() = default;

    const std::string& Path() const { return path; }
    const char* c_str() const { return path.c_str(); }
    bool IsEmpty() const { return path.empty(); }
    void SetPath(const std::string& text) { path = text; }

    static Components Split(const std::string& text);
    static std::string Make(const Components& parts);

    // Getters. A root directory keeps its backslash ("C:\", "\"): without it the text would
    // name the drive's current directory instead.
    std::string GetDrive() const;      // the letter, no colon
    std::string GetDirectory() const;  // drive, colon and directory, no trailing backslash
    std::string GetDirOnly() const;    // directory without drive, no trailing backslash
    std::string GetFileName() const;   // name and extension; the dot only with an extension
    std::string GetTitle() const;      // name without extension
    std::string GetExtension() const;  // no dot
    // The root of the path's drive ("c:\", lower case) or share ("\\server\share\");
    // "" when the path names neither (the current drive is meant).
    std::string GetRoot() const;

    // Setters rebuild the path from its components. They return false, with the path unchanged,
    // when the result would not fit in kMaxPath.
    bool SetDrive(const std::string& letter);
    bool SetDirOnly(const std::string& dir);
    bool SetDirectory(const std::string& directory);
    bool SetFileTitle(const std::string& title);
    bool SetExtension(const std::string& ext);
    bool SetFileName(const std::string& fileName);
    bool AppendDirectory(const std::string& subdir);
    // Drops the last directory component (given back in removed); false when there is none.
    bool RemoveLastDirectory(std::string* removed = nullptr);
    bool SetToRoot();
    // Adds a backslash at the end unless the path is empty or ends in one already.
    bool AddTrailingBackslash();
    // Removes backslashes at the end, but never the one of a root ("C:\", "\").
    void RemoveTrailingBackslash();

    // True for a single file name that cannot leave the directory it is placed in: not empty,
    // not "." or "..", no drive or directory separators.
    static bool IsPlainName(const std::string& name);
    // True when two directory paths name the same directory: compared without regard to case or
    // to a trailing backslash. An empty path names none.
    static bool IsSameDirectory(const std::string& a, const std::string& b);
    // How many plain names follow the drive's root in a full path ("C:\KALMORA\Data\" has 2; a
    // trailing backslash is allowed); -1 for a relative or UNC path, a bare drive, and any path
    // with an empty name, "." or "..".
    static int FullPathDepth(const std::string& text);
    // A full path of a file in a directory: drive letter, colon, backslash, one or more plain
    // directory names and a plain file name ("C:\WINDOWS\kmshare.dll"). Not a relative or UNC
    // path, not a file in a drive root, nothing with "." or "..".
    static bool IsFileInDirectory(const std::string& text);
    // The first n characters (0 to kMaxRandomHexName) of five pseudo-random numbers 0..32767
    // printed as four lowercase hex digits each.
    static std::string RandomHexName(int n);

    // File-system queries and actions (Windows build only).
    bool Exists() const;
    unsigned long long GetSize() const;
    long long GetModifyTime() const;
    bool DirectoryExists() const;
    // The short (8.3) form of the existing path as the system gives it; the path itself when the
    // system has none (the path does not exist, or the form would not fit MAX_PATH).
    std::string ShortForm() const;
    // The path with the short (8.3) names of its longest existing part replaced by their long
    // names; the part that does not exist follows as it is.
    std::string LongForm() const;
    bool RemoveDir() const;
    bool MakeDirectory(bool recursive = true) const;
    void MakeDirectoryOrThrow(bool recursive = true) const;
    bool Delete() const;
    bool RenameTo(const CFilePath& newName) const;
    unsigned long long GetFreeSpace() const;
    unsigned long long GetTotalSpace() const;
    unsigned int QueryDriveType() const;
    bool IsRemovable() const;
    bool FindFirst(int attributeMask);
    bool HasSubdirectory() const;
    bool MakeUniqueName(bool retry, int tries);
    // Walks up to the nearest directory that exists; false when not even the root does.
    bool SetToNearestExistingDirectory();

private:
    bool Rebuild(const Components& parts);
    void CloseSearch();

    std::string path;
    int searchAttributes = 0;
    // The open directory search; its deleter closes it (set by the Windows part).
    std::unique_ptr<void, void (*)(void*)> findHandle{nullptr, nullptr};
};
