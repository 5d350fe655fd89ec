#pragma once
// Paths in the form in which Windows resolves them before it touches a file, so that two
// spellings of one directory compare equal: "C:\WINDOWS.\" and "c:\windows\system\..\" are the
// Windows directory. Portable: the short (8.3) names are expanded by the caller's LongForm.
#include <functional>
#include <string>

namespace CanonicalPath {

// A full path with a drive ("C:\..."), resolved: "/" read as "\", runs of separators as one, "."
// dropped, ".." taking the name before it (never the root), and the dots and blanks at the end of
// each name dropped, as Windows drops them. No trailing backslash but the root's. "" for anything
// else: a relative path, a bare drive ("C:"), a UNC path.
std::string Resolve(const std::string& path);

// The path with every short (8.3) name of it that exists replaced by its long name.
using LongForm = std::function<std::string(const std::string& path)>;

// Resolve, then the long names, then Resolve once more.
std::string Full(const std::string& path, const LongForm& longForm);

// Both resolved paths name the same place (without regard to case); never for "".
bool Same(const std::string& a, const std::string& b);
// `inner` is `outer` or lies below it; never for "".
bool Within(const std::string& inner, const std::string& outer);
// `inner` lies below `outer`, not at it.
bool Below(const std::string& inner, const std::string& outer);
// A resolved drive root ("C:\").
bool IsRoot(const std::string& resolved);

}  // namespace CanonicalPath
