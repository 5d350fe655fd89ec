#pragma once
// Builds a medium from a description: packs the archives, places the sources (on diskettes, in
// the numbered directories of a CD, or in one directory), writes them with Setup, its manifest,
// the install profile, the licence and the diskettes' tag files, reads every archive back against
// the tree, and at last the whole medium as Setup will read it. Everything is built beside the output folder and moved into place only when
// all of it is right, so a failed build leaves no half-written medium.
#include "tools/mkmedia/DiskettePlan.h"
#include "tools/mkmedia/ManifestText.h"
#include "tools/mkmedia/MediumDescription.h"
#include "tools/mkmedia/MediumReadBack.h"
#include "tools/mkmedia/ProductTree.h"
#include "transfer/archive/CArchiveWriter.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class MediumKind { directory, cd, diskettes };

struct BuildOptions {
    MediumKind kind = MediumKind::directory;
    DisketteFormat format = DisketteFormat::Megabytes144();
    bool store = false;
    bool replace = false;
    bool images = false;  // diskette images beside a diskette set's folders
    bool progress = true;
    // Called with the folder the medium is built in, just before it is read back: a test's way
    // to damage a file where nothing else could.
    std::function<void(const std::string& building)> beforeReadBack;
};

class CMediumBuilder {
public:
    CMediumBuilder(MediumDescription description, std::string output, BuildOptions options);
    ~CMediumBuilder();

    void Build();
    void PrintSummary(std::FILE* out) const;

private:
    struct Placed {
        TreeSource tree;
        SourcePlacement placement;
        std::uint64_t bytesOnMedium = 0;
        std::unique_ptr<CArchiveWriter> writer;  // an archive's, packed and waiting for its place
        std::vector<FileCheck> written;          // each volume, or the plain file, as written
    };

    void CheckSetupFiles() const;
    void StartStaging();
    std::vector<std::pair<std::string, std::uint64_t>> SetupFiles(std::uint64_t manifestBytes) const;
    DisketteFormat Format() const;
    std::uint64_t ManifestBytes(const std::vector<TreeSource>& sources) const;
    void WriteSources(std::vector<TreeSource> sources);
    void Pack(Placed& placed) const;
    std::vector<std::string> LayOut(Placed& placed) const;
    void ReadBackAndMove(const Placed& placed, const std::vector<std::string>& volumes) const;
    void VerifyArchive(const std::string& firstVolume, const TreeSource& tree) const;
    void WriteSetupFiles();
    void ReadBack() const;
    void WriteImages() const;
    void Finish();
    std::string DiskFolder(int disk) const;
    std::string ManifestName() const;
    void Progress(const std::string& text) const;

    MediumDescription description_;
    std::string output_;
    std::string staging_;
    BuildOptions options_;
    std::vector<Placed> placed_;
    std::vector<PlannedDiskette> diskettes_;
    std::string manifest_;
    bool finished_ = false;
};
