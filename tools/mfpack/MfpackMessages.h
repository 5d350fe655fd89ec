#pragma once
// The texts of the string-table ids that mfpack shows: archive and file error titles.
#include <string>

std::string LoadMfpackMessage(unsigned id);
