#pragma once
// Causes of CInstallProfileException raised by the setup manifest.
constexpr int kProfileMissingDestinations = 0;    // no "destinations" section, or no key in it
constexpr int kProfileUnresolvedDestinations = 1;  // a parent missing, without directory, or a cycle
constexpr int kProfileDisketteOutOfRange = 3;      // a diskette label outside the label array
