#pragma once
// A flat progress bar that fills from the left in the highlight colour and shows its percentage
// centred, in contrasting colours on the filled and on the empty part.
#include <cstdint>

#include "framework/CWindow.h"

class CGauge : public CWindow {
public:
    CGauge(std::uint32_t minimum, std::uint32_t maximum, std::uint32_t position)
        : rangeMin(minimum), rangeMax(maximum), position_(position) {}

    // Takes the place (and the client rectangle) of the parent's child with that id, if any.
    bool Create(DWORD style, const RECT& rect, HWND parent, int controlId);
    void SetPos(std::uint32_t position, bool redrawNow);
    void OffsetPos(std::int64_t delta, bool redrawNow);
    std::uint32_t Position() const { return position_; }

    // Percentage for a position in a range, as painted; 0 for an empty range.
    static unsigned Percent(std::uint32_t minimum, std::uint32_t maximum, std::uint32_t position);

    std::uint32_t rangeMin;
    std::uint32_t rangeMax;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::uint32_t Clamp(std::int64_t position) const;
    void Paint();

    std::uint32_t position_;
    int paintedPercent_ = -1;  // the percent of the last picture, -1 before the first
};
