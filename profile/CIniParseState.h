#pragma once
// A reader state: one operation per token event, each taking ownership of the state itself and
// returning the state that becomes current. Returning `self` stays; returning another state
// lets `self` be destroyed, unless the handler has kept it in the reader as a return state.
#include <memory>

#include "profile/CIniState.h"

class CIniReader;
class CIniParseState;
using CIniStatePtr = std::unique_ptr<CIniParseState>;

class CIniParseState : public CIniState {
public:
    virtual CIniStatePtr OnHash(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnOpenBrace(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnCloseBrace(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnTab(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnNewLine(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnVerticalTab(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnFormFeed(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnSpace(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnEqual(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnSemicolon(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnDoubleQuote(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnUnknownSpecial(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnWord(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnUnknownToken(CIniStatePtr self, CIniReader& reader);
    // Called by the other handlers, never by the reading loop: the reader starts over.
    virtual CIniStatePtr OnSyntaxError(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnEndOfFile(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnCarriageReturn(CIniStatePtr self, CIniReader& reader);
    virtual CIniStatePtr OnEndOfLine(CIniStatePtr self, CIniReader& reader);

    // Name of the state, for tests and diagnostics.
    virtual const char* Name() const = 0;
};
