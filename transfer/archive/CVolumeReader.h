#pragma once
// The archive as mfpack reads it: follows a continued entry into the next volume file and shows
// the progress of long runs on a terminal.
#include "transfer/archive/CMultiFile.h"

#include <cstdint>
#include <string>

class CVolumeReader : public CMultiFile {
public:
    explicit CVolumeReader(bool showProgress) : showProgress_(showProgress) {}
    void StartProgress(const std::string& label, std::uint32_t total);
    void EndProgress();

    void OnBlockBoundary() override;
    bool OnEndOfData() override;

private:
    bool showProgress_;
    std::string label_;
    std::uint32_t progressStart_ = 0;
    std::uint32_t progressTotal_ = 0;
};
