#include "profile/CIniReaderStates.h"

#include "framework/TextCompare.h"
#include "profile/CIniReader.h"
#include "profile/ProfileSyntax.h"

namespace {
// The state stays alive as the one that an include starts in.
CIniStatePtr KeepForInclude(CIniStatePtr self, CIniReader& reader)
{
    reader.includeReturn = std::move(self);
    return std::make_unique<CIncludeState>();
}

// The state stays alive as the one that the comment returns to.
CIniStatePtr KeepForComment(CIniStatePtr self, CIniReader& reader)
{
    reader.commentReturn = std::move(self);
    return std::make_unique<CCommentState>();
}

// A fresh state is where the comment returns to.
CIniStatePtr CommentReturningTo(CIniStatePtr returnState, CIniReader& reader)
{
    reader.commentReturn = std::move(returnState);
    return std::make_unique<CCommentState>();
}

// A header starts with an empty name, also after a header that a syntax error cut short.
CIniStatePtr StartSection(CIniReader& reader)
{
    reader.sectionName.clear();
    return std::make_unique<CSectionState>();
}

// Every quoted value starts empty, also after one that the end of a file cut short.
template <class QuotedState>
CIniStatePtr StartQuoted(CIniReader& reader)
{
    reader.quotedText.clear();
    return std::make_unique<QuotedState>();
}

}

CIniStatePtr CStartState::OnHash(CIniStatePtr self, CIniReader& reader) { return KeepForInclude(std::move(self), reader); }
CIniStatePtr CStartState::OnOpenBrace(CIniStatePtr, CIniReader& reader) { return StartSection(reader); }
CIniStatePtr CStartState::OnSemicolon(CIniStatePtr self, CIniReader& reader) { return KeepForComment(std::move(self), reader); }

CIniStatePtr CIncludeState::OnWord(CIniStatePtr self, CIniReader& reader)
{
    if (!EqualsIgnoreCase(reader.Token().Text(), kIncludeKeyword))
        return OnSyntaxError(std::move(self), reader);
    reader.includeName.clear();
    return std::make_unique<CIncludeKeywordState>();
}

CIniStatePtr CIncludeKeywordState::OnDoubleQuote(CIniStatePtr, CIniReader&)
{
    return std::make_unique<CIncludeFilenameState>();
}

CIniStatePtr CIncludeFilenameState::OnWord(CIniStatePtr self, CIniReader& reader)
{
    reader.includeName += reader.Token().Text();
    return self;
}

CIniStatePtr CIncludeFilenameState::OnSpace(CIniStatePtr self, CIniReader& reader)
{
    reader.includeName += reader.Token().Text();
    return self;
}

CIniStatePtr CIncludeFilenameState::OnDoubleQuote(CIniStatePtr self, CIniReader& reader)
{
    self.reset();
    return reader.RunInclude();
}

CIniStatePtr CSectionState::OnWord(CIniStatePtr self, CIniReader& reader)
{
    reader.sectionName += reader.Token().Text();
    return self;
}

CIniStatePtr CSectionState::OnCloseBrace(CIniStatePtr, CIniReader& reader)
{
    reader.AddSection();
    reader.sectionName.clear();
    return std::make_unique<CSectionFoundState>();
}

CIniStatePtr CSectionFoundState::OnNewLine(CIniStatePtr, CIniReader&) { return std::make_unique<CSectionKeyState>(); }
CIniStatePtr CSectionFoundState::OnSemicolon(CIniStatePtr, CIniReader& reader)
{
    return CommentReturningTo(std::make_unique<CSectionKeyState>(), reader);
}

CIniStatePtr CSectionKeyState::OnWord(CIniStatePtr, CIniReader& reader)
{
    reader.SetKeyName(reader.Token().Text());
    return std::make_unique<CSectionKeyFoundState>();
}
CIniStatePtr CSectionKeyState::OnHash(CIniStatePtr self, CIniReader& reader) { return KeepForInclude(std::move(self), reader); }
CIniStatePtr CSectionKeyState::OnSemicolon(CIniStatePtr self, CIniReader& reader) { return KeepForComment(std::move(self), reader); }

CIniStatePtr CSectionKeyFoundState::OnEqual(CIniStatePtr, CIniReader& reader)
{
    reader.AddKey();
    reader.keyName.clear();
    return std::make_unique<CSectionEqualState>();
}

CIniStatePtr CSectionEqualState::OnWord(CIniStatePtr, CIniReader& reader)
{
    reader.AddValue(reader.Token().Text());
    return std::make_unique<CSingleValueFoundState>();
}
CIniStatePtr CSectionEqualState::OnDoubleQuote(CIniStatePtr, CIniReader& reader) { return StartQuoted<CQuotedSingleValueState>(reader); }
CIniStatePtr CSectionEqualState::OnNewLine(CIniStatePtr, CIniReader&) { return std::make_unique<CValueListState>(); }
CIniStatePtr CSectionEqualState::OnSemicolon(CIniStatePtr, CIniReader& reader)
{
    return CommentReturningTo(std::make_unique<CValueListState>(), reader);
}

CIniStatePtr CSingleValueFoundState::OnNewLine(CIniStatePtr, CIniReader&) { return std::make_unique<CPostSingleValueFoundState>(); }
CIniStatePtr CSingleValueFoundState::OnSemicolon(CIniStatePtr, CIniReader& reader)
{
    return CommentReturningTo(std::make_unique<CPostSingleValueFoundState>(), reader);
}

CIniStatePtr CPostSingleValueFoundState::OnWord(CIniStatePtr, CIniReader& reader)
{
    reader.SetKeyName(reader.Token().Text());
    return std::make_unique<CSectionKeyFoundState>();
}
CIniStatePtr CPostSingleValueFoundState::OnOpenBrace(CIniStatePtr, CIniReader& reader) { return StartSection(reader); }
CIniStatePtr CPostSingleValueFoundState::OnHash(CIniStatePtr self, CIniReader& reader) { return KeepForInclude(std::move(self), reader); }
CIniStatePtr CPostSingleValueFoundState::OnSemicolon(CIniStatePtr self, CIniReader& reader) { return KeepForComment(std::move(self), reader); }
CIniStatePtr CPostSingleValueFoundState::OnNewLine(CIniStatePtr self, CIniReader&) { return self; }

CIniStatePtr CQuotedTextState::Append(CIniStatePtr self, CIniReader& reader)
{
    reader.quotedText += reader.Token().Text();
    return self;
}
CIniStatePtr CQuotedTextState::OnHash(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnOpenBrace(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnCloseBrace(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnTab(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnVerticalTab(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnFormFeed(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnSpace(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnEqual(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnSemicolon(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnWord(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnEndOfLine(CIniStatePtr self, CIniReader& reader) { return Append(std::move(self), reader); }
CIniStatePtr CQuotedTextState::OnNewLine(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CQuotedTextState::OnCarriageReturn(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CQuotedTextState::OnEndOfFile(CIniStatePtr self, CIniReader& reader) { return OnSyntaxError(std::move(self), reader); }

CIniStatePtr CQuotedSingleValueState::OnDoubleQuote(CIniStatePtr, CIniReader& reader)
{
    reader.AddValue(reader.quotedText);
    reader.quotedText.clear();
    return std::make_unique<CSingleValueFoundState>();
}

CIniStatePtr CQuotedListValueState::OnDoubleQuote(CIniStatePtr, CIniReader& reader)
{
    reader.AddValue(reader.quotedText);
    reader.quotedText.clear();
    return std::make_unique<CPostListValueFoundState>();
}

CIniStatePtr CValueListState::OnWord(CIniStatePtr, CIniReader& reader)
{
    reader.SetKeyName(reader.Token().Text());
    return std::make_unique<CListValueFoundState>();
}
CIniStatePtr CValueListState::OnDoubleQuote(CIniStatePtr, CIniReader& reader) { return StartQuoted<CQuotedListValueState>(reader); }
CIniStatePtr CValueListState::OnHash(CIniStatePtr self, CIniReader& reader) { return KeepForInclude(std::move(self), reader); }
CIniStatePtr CValueListState::OnSemicolon(CIniStatePtr self, CIniReader& reader) { return KeepForComment(std::move(self), reader); }

CIniStatePtr CListValueFoundState::OnNewLine(CIniStatePtr, CIniReader& reader)
{
    reader.AddValue(reader.keyName);
    return std::make_unique<CPostListValueFoundState>();
}
CIniStatePtr CListValueFoundState::OnSemicolon(CIniStatePtr, CIniReader& reader)
{
    reader.AddValue(reader.keyName);
    return CommentReturningTo(std::make_unique<CPostListValueFoundState>(), reader);
}
CIniStatePtr CListValueFoundState::OnEqual(CIniStatePtr, CIniReader& reader)
{
    reader.AddKey();
    return std::make_unique<CSectionEqualState>();
}

CIniStatePtr CPostListValueFoundState::OnWord(CIniStatePtr, CIniReader& reader)
{
    reader.SetKeyName(reader.Token().Text());
    return std::make_unique<CListValueFoundState>();
}
CIniStatePtr CPostListValueFoundState::OnDoubleQuote(CIniStatePtr, CIniReader& reader) { return StartQuoted<CQuotedListValueState>(reader); }
CIniStatePtr CPostListValueFoundState::OnOpenBrace(CIniStatePtr, CIniReader& reader) { return StartSection(reader); }
CIniStatePtr CPostListValueFoundState::OnHash(CIniStatePtr self, CIniReader& reader) { return KeepForInclude(std::move(self), reader); }
CIniStatePtr CPostListValueFoundState::OnSemicolon(CIniStatePtr self, CIniReader& reader) { return KeepForComment(std::move(self), reader); }
CIniStatePtr CPostListValueFoundState::OnNewLine(CIniStatePtr self, CIniReader& reader)
{
    reader.keyName.clear();
    return self;
}

CIniStatePtr CCommentBaseState::OnHash(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnOpenBrace(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnCloseBrace(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnEqual(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnSemicolon(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnDoubleQuote(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnUnknownSpecial(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnWord(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnUnknownToken(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnEndOfFile(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CCommentBaseState::OnEndOfLine(CIniStatePtr self, CIniReader&) { return self; }

CIniStatePtr CCommentState::OnNewLine(CIniStatePtr, CIniReader& reader)
{
    reader.commentText.clear();
    CIniStatePtr back = std::move(reader.commentReturn);
    return back ? std::move(back) : std::make_unique<CStartState>();
}
CIniStatePtr CCommentState::OnCarriageReturn(CIniStatePtr self, CIniReader& reader) { return OnNewLine(std::move(self), reader); }
CIniStatePtr CCommentState::OnWord(CIniStatePtr self, CIniReader& reader)
{
    reader.commentText += reader.Token().Text();
    return self;
}
CIniStatePtr CCommentState::OnSpace(CIniStatePtr self, CIniReader& reader)
{
    reader.commentText += reader.Token().Text();
    return self;
}
