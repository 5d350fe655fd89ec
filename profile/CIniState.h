#pragma once
// Root of the profile reader's states. A state holds no data of its own: the reader's working
// data lives in the CIniReader that drives it.
class CIniState {
public:
    CIniState() = default;
    CIniState(const CIniState&) = delete;
    CIniState& operator=(const CIniState&) = delete;
    virtual ~CIniState() = default;
};
