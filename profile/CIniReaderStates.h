#pragma once
// The states of the profile reader, all transitions in one place. Each state overrides only the
// events that it accepts; the rest take the defaults of CIniParseState (blanks and line feeds
// stay, CR and end of file act as a line feed, anything else is a syntax error).
#include "profile/CIniParseState.h"

// Where a line may start at the top of the file: a section header, an include or a comment.
class CStartState : public CIniParseState {
public:
    CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnOpenBrace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Start"; }
};

// After '#': expects the keyword.
class CIncludeState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Include"; }
};

// After the keyword: expects the opening double quote of the file name.
class CIncludeKeywordState : public CIniParseState {
public:
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Include Keyword"; }
};

// Inside the quoted file name: words and spaces make the name; the closing quote reads the file.
class CIncludeFilenameState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSpace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Include Filename"; }
};

// Inside a section header: its words are joined into the name.
class CSectionState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnCloseBrace(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Section"; }
};

// After ']': only a line end or a comment may follow.
class CSectionFoundState : public CIniParseState {
public:
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Section Found"; }
};

// A section before its first key: a key, an include or a comment.
class CSectionKeyState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Section Key"; }
};

// After a key's name: expects '=', also on a later line.
class CSectionKeyFoundState : public CIniParseState {
public:
    CIniStatePtr OnEqual(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Section Key Found"; }
};

// After '=': a single value, a quoted value, or a line end (or comment) that starts a value list.
class CSectionEqualState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Section Equal"; }
};

// After a single value: only a line end or a comment may follow.
class CSingleValueFoundState : public CIniParseState {
public:
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Single Value Found"; }
};

// A line after a single-value key: the next key, section, include or comment.
class CPostSingleValueFoundState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnOpenBrace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Post Single Value Found"; }
};

// Inside double quotes: every token but the line end is kept; the line ends are dropped.
class CQuotedTextState : public CIniParseState {
public:
    CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnOpenBrace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnCloseBrace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnTab(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnVerticalTab(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnFormFeed(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSpace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnEqual(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnEndOfFile(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnCarriageReturn(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnEndOfLine(CIniStatePtr self, CIniReader& reader) override;

protected:
    static CIniStatePtr Append(CIniStatePtr self, CIniReader& reader);
};

class CQuotedSingleValueState : public CQuotedTextState {
public:
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Quoted Single Value"; }
};

class CQuotedListValueState : public CQuotedTextState {
public:
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Quoted List Value"; }
};

// The lines after "key =" and a line end: one member per line.
class CValueListState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Value List"; }
};

// After a word in a list: a line end makes it a member, '=' makes it the next key.
class CListValueFoundState : public CIniParseState {
public:
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnEqual(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "List Value Found"; }
};

// A line after a list member: the next member or key, a section, an include or a comment.
class CPostListValueFoundState : public CIniParseState {
public:
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnOpenBrace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Post List Value Found"; }
};

// Swallows every token, the end of the file included.
class CCommentBaseState : public CIniParseState {
public:
    CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnOpenBrace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnCloseBrace(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnEqual(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnUnknownSpecial(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnUnknownToken(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnEndOfFile(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnEndOfLine(CIniStatePtr self, CIniReader& reader) override;
};

// From ';' to the line end; then back to the state kept as the comment return state.
class CCommentState : public CCommentBaseState {
public:
    CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnCarriageReturn(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader) override;
    CIniStatePtr OnSpace(CIniStatePtr self, CIniReader& reader) override;
    const char* Name() const override { return "Comment"; }
};
