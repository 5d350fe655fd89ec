#pragma once
// Walks the drive letters A to Z whose root the system knows (Windows build only).
#include <string>

class CDriveIterator {
public:
    // Drive types as the system reports them.
    static constexpr unsigned kUnknown = 0;
    static constexpr unsigned kNoRootDir = 1;
    static constexpr unsigned kRemovable = 2;
    static constexpr unsigned kFixed = 3;
    static constexpr unsigned kRemote = 4;
    static constexpr unsigned kCdRom = 5;
    static constexpr unsigned kRamDisk = 6;

    // Moves to the next drive that exists; false, with the position unchanged, when none is left.
    bool Next();
    // Moves to the next drive of the given type.
    bool NextOfType(unsigned driveType);
    bool NextFixed() { return NextOfType(kFixed); }

    int Index() const { return index; }       // 0 = A up to 25 = Z; -1 before the first
    char Letter() const { return static_cast<char>('A' + index); }
    std::string Root() const;                  // "c:\" of the current drive
    unsigned DriveType() const { return driveType; }

    // The type of the drive root ("c:\"); kNoRootDir when it does not exist.
    static unsigned QueryType(const std::string& root);

private:
    int index = -1;
    unsigned driveType = kUnknown;
};
