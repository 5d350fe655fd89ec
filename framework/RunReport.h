#pragma once
// The record of a run that an administrator asks for (Setup's /L switch): one line for each
// event, read afterwards when a rollout went wrong. Code says what happened where it decides it,
// through Say; the Windows program installs a writer that stamps each line with the time and
// appends it to the file, tests install one that keeps the lines. Without a writer nothing is
// recorded, and callers that would build a line at some cost ask IsOn first.
#include <functional>
#include <string>

namespace RunReport {
using Writer = std::function<void(const std::string& line)>;

// Installs the writer and returns the previous one.
Writer SetWriter(Writer writer);
bool IsOn();
void Say(const std::string& line);
}
