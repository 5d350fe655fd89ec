#pragma once
// Every file on a medium has a name of its own, case ignored, as FAT keeps names: Setup and its
// files, the sources, the names under which split archives go on, and the diskettes' tag files.
// A description in which two of them would meet is refused before anything is packed, since the
// later file would overwrite the earlier one, or Setup would open the wrong one.
#include "tools/mkmedia/MediumDescription.h"

#include <string>

// The names Setup's own files take on the first diskette (or in the medium's folder).
extern const char* const kProfileFileName;
extern const char* const kLicenceFileName;

// The name of the setup manifest that Setup reads beside itself: its own name with ".ini".
std::string ManifestFileName(const MediumDescription& description);

// Throws DescriptionError, naming the line of the second of two names that would meet. An
// archive may continue under its next volume's name on every medium except a single folder;
// only diskettes carry tag files.
void CheckMediumNames(const MediumDescription& description, bool archivesMaySplit, bool hasTagFiles);
