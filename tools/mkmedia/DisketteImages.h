#pragma once
// Diskette images of a diskette set, written with mtools: a FAT12 file system of the set's size
// with the diskette's volume label, holding the files of its folder. Any tool that reads
// diskette images reads them, and a diskette drive writes them onto real diskettes.
#include "tools/mkmedia/DiskettePlan.h"

#include <string>

// The volume label a diskette's label gives: upper case, the characters FAT allows, at most 11
// (a longer one ends in the diskette's number); "DISK n" when nothing is left.
std::string VolumeLabel(const std::string& label, int disk);

// Writes image (1.44 MB or 720 KB) from the files of folder. Throws std::runtime_error when mtools
// is missing or fails (the set's plan then did not fit the file system).
void WriteDisketteImage(const std::string& folder, const std::string& image, const DisketteFormat& format,
                        const std::string& volumeLabel);
