#include "profile/CIniReader.h"

#include "profile/CIniReaderStates.h"
#include "profile/CItokenizer.h"
#include "profile/IIniReadObserver.h"
#include "profile/ProfileSyntax.h"

CIniReader::CIniReader(CIniFile& store, IIniReadObserver* observer)
    : store(store), observer(observer)
{
}

void CIniReader::Read()
{
    CIniStatePtr last = Parse(store.Name(), std::make_unique<CStartState>());
    last.reset();
}

CIniStatePtr CIniReader::Parse(const std::string& fileName, CIniStatePtr state)
{
    CItokenizer tokenizer(fileName, kProfileSpecialSet);
    return Run(tokenizer, std::move(state));
}

CIniStatePtr CIniReader::Run(CItokenizer& tokenizer, CIniStatePtr state)
{
    fileStack.push_back(std::make_shared<const std::string>(tokenizer.FileName()));
    tokenizer.GetNextToken(token);
    while (token.Kind() != kTokenEndOfFile) {
        state = Dispatch(std::move(state));
        tokenizer.GetNextToken(token);
    }
    state = state->OnEndOfFile(std::move(state), *this);
    fileStack.pop_back();
    return state;
}

CIniStatePtr CIniReader::Dispatch(CIniStatePtr state)
{
    switch (token.Kind()) {
    case kTokenWord:
        return state->OnWord(std::move(state), *this);
    case kTokenEndOfLine:
        return state->OnEndOfLine(std::move(state), *this);
    case kTokenEndOfFile:
        return state->OnEndOfFile(std::move(state), *this);
    case kTokenSpecial:
        break;
    default:
        return state->OnUnknownToken(std::move(state), *this);
    }
    switch (token.Text().empty() ? '\0' : token.Text()[0]) {
    case '#': return state->OnHash(std::move(state), *this);
    case '[': return state->OnOpenBrace(std::move(state), *this);
    case ']': return state->OnCloseBrace(std::move(state), *this);
    case '\t': return state->OnTab(std::move(state), *this);
    case '\n': return state->OnNewLine(std::move(state), *this);
    case '\v': return state->OnVerticalTab(std::move(state), *this);
    case '\f': return state->OnFormFeed(std::move(state), *this);
    case ' ': return state->OnSpace(std::move(state), *this);
    case '=': return state->OnEqual(std::move(state), *this);
    case ';': return state->OnSemicolon(std::move(state), *this);
    case '"': return state->OnDoubleQuote(std::move(state), *this);
    case '\r': return state->OnCarriageReturn(std::move(state), *this);
    default: return state->OnUnknownSpecial(std::move(state), *this);
    }
}

void CIniReader::SetKeyName(const std::string& name)
{
    keyName = name;
    keyLine = token.LineNumber();
}

void CIniReader::AddSection()
{
    store.AddSection(CIniSection(sectionName));
    recovering = false;
}

void CIniReader::AddKey()
{
    CIniKey key(keyName);
    if (!fileStack.empty())
        key.SetOrigin(fileStack.back(), keyLine);
    store.AddKey(std::move(key));
}

void CIniReader::AddValue(const std::string& value)
{
    store.AddValue(value);
}

const std::string& CIniReader::CurrentFile() const
{
    static const std::string none;
    return fileStack.empty() ? none : *fileStack.back();
}

void CIniReader::NoteSyntaxError()
{
    // After the first error every token up to the next section is an error of its own; only the
    // first one tells the author anything.
    if (recovering)
        return;
    recovering = true;
    if (observer) {
        const auto& sections = store.Sections();
        observer->OnSyntaxError(CurrentFile(), token,
                                sections.empty() ? nullptr : &sections.back().Name());
    }
}

CIniStatePtr CIniReader::RunInclude()
{
    CIniStatePtr initial = std::move(includeReturn);
    if (!initial)
        initial = std::make_unique<CStartState>();
    const std::string& including = fileStack.empty() ? store.Name() : CurrentFile();
    if (static_cast<int>(fileStack.size()) > kMaxIncludeDepth)
        return SkipInclude(std::move(initial), IIniReadObserver::SkipReason::tooDeep);
    if (includesOpened >= kMaxIncludeFiles)
        return SkipInclude(std::move(initial), IIniReadObserver::SkipReason::tooMany);
    CItokenizer tokenizer(ResolveIncludeName(including, includeName), kProfileSpecialSet);
    if (!tokenizer.IsOpen())
        return SkipInclude(std::move(initial), IIniReadObserver::SkipReason::cannotOpen);
    ++includesOpened;
    return Run(tokenizer, std::move(initial));
}

// A skipped include acts like an empty file: its first state only hears the end of the file.
CIniStatePtr CIniReader::SkipInclude(CIniStatePtr initial, IIniReadObserver::SkipReason reason)
{
    if (observer)
        observer->OnIncludeSkipped(CurrentFile(),
                                   token.LineNumber(), includeName, reason);
    return initial->OnEndOfFile(std::move(initial), *this);
}

namespace {
bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// An absolute name starts at a root or names a drive; it is used as it stands.
bool IsAbsolute(const std::string& name)
{
    if (name.empty())
        return false;
    if (IsSeparator(name[0]))
        return true;
    return name.size() >= 2 && name[1] == ':';
}
}

std::string CIniReader::ResolveIncludeName(const std::string& includingFile, const std::string& name)
{
    if (IsAbsolute(name))
        return name;
    size_t cut = includingFile.find_last_of("/\\");
    if (cut == std::string::npos) {
        if (includingFile.size() >= 2 && includingFile[1] == ':')
            cut = 1;  // "A:ov_setup.ini": the directory is the drive
        else
            return name;
    }
    std::string besideIncluding = includingFile.substr(0, cut + 1) + name;
    return CItokenizer::CanOpen(besideIncluding) ? besideIncluding : name;
}
