#pragma once
// Constants of the install profile language: token kinds, the characters that form tokens of their
// own, and the limits that keep a hostile profile from running without end.

// Kinds of a CItoken.
constexpr int kTokenNone = 0;         // a fresh token
constexpr int kTokenEndOfFile = 1;    // no further token (also for a file that could not be opened)
constexpr int kTokenEndOfLine = 2;    // set while scanning; never handed out
constexpr int kTokenSpecial = 3;      // one character of the special set
constexpr int kTokenWord = 4;         // a maximal run of characters outside the special set

// Every character of this set is a token of its own; LF stands in it twice, which does no harm.
inline const char kProfileSpecialSet[] = "[]\t\n\v\f\r \n=;#\"";

// Include files: how deep they may nest and how many one read may open in all (a file that
// includes itself twice would otherwise multiply without end). A deeper or further include is
// skipped like one that cannot be opened.
constexpr int kMaxIncludeDepth = 16;
constexpr int kMaxIncludeFiles = 256;

// The keyword after '#' that starts an include, compared ignoring case.
inline const char kIncludeKeyword[] = "include";
