#include "profile/CIniParseState.h"

#include "profile/CIniReader.h"
#include "profile/CIniReaderStates.h"

// Blanks and line feeds are ignored; CR, end of file and end of line act as a line feed; every
// other token is a syntax error unless a state knows better.
CIniStatePtr CIniParseState::OnTab(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CIniParseState::OnNewLine(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CIniParseState::OnVerticalTab(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CIniParseState::OnFormFeed(CIniStatePtr self, CIniReader&) { return self; }
CIniStatePtr CIniParseState::OnSpace(CIniStatePtr self, CIniReader&) { return self; }

CIniStatePtr CIniParseState::OnEndOfFile(CIniStatePtr self, CIniReader& reader)
{
    return self->OnNewLine(std::move(self), reader);
}

CIniStatePtr CIniParseState::OnCarriageReturn(CIniStatePtr self, CIniReader& reader)
{
    return self->OnNewLine(std::move(self), reader);
}

CIniStatePtr CIniParseState::OnEndOfLine(CIniStatePtr self, CIniReader& reader)
{
    return self->OnNewLine(std::move(self), reader);
}

CIniStatePtr CIniParseState::OnHash(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnOpenBrace(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnCloseBrace(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnEqual(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnSemicolon(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnDoubleQuote(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnUnknownSpecial(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnWord(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }
CIniStatePtr CIniParseState::OnUnknownToken(CIniStatePtr self, CIniReader& reader) { return self->OnSyntaxError(std::move(self), reader); }

CIniStatePtr CIniParseState::OnSyntaxError(CIniStatePtr self, CIniReader& reader)
{
    reader.NoteSyntaxError();
    self.reset();
    return std::make_unique<CStartState>();
}
