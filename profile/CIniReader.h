#pragma once
// Reads a profile file, and the files it includes, into a CIniFile. The reading loop hands every
// token to the current state; the working data that the states share lives here, one instance
// for the top file and all its includes.
#include <memory>
#include <string>
#include <vector>

#include "profile/CIniFile.h"
#include "profile/CIniParseState.h"
#include "profile/CItoken.h"
#include "profile/IIniReadObserver.h"

class CItokenizer;

class CIniReader {
public:
    explicit CIniReader(CIniFile& store, IIniReadObserver* observer = nullptr);

    // Reads the store's file from a Start state; the final state is discarded.
    void Read();
    // The reading loop over one file: returns the state current after its end-of-file event.
    CIniStatePtr Parse(const std::string& fileName, CIniStatePtr initial);

    // The token being handled (shared by all nested loops).
    const CItoken& Token() const { return token; }

    // Working data of the states.
    std::string keyName;        // the word read as a key or list member
    std::string sectionName;    // the words of the header being read
    std::string quotedText;     // the quoted value being read
    std::string includeName;    // the file name of the include being read
    std::string commentText;    // the words and spaces of the comment being read
    CIniStatePtr commentReturn; // where a comment goes back to at its line end
    CIniStatePtr includeReturn; // the state in which an included file starts

    // Store operations of the states.
    void SetKeyName(const std::string& name);
    void AddSection();
    void AddKey();
    void AddValue(const std::string& value);

    // Runs the loop over the include named in `includeName`, starting in `includeReturn`.
    CIniStatePtr RunInclude();
    void NoteSyntaxError();

    // Where an include of `name` from the file `includingFile` is read from: beside the
    // including file if a file of that name is there, else the name as given.
    static std::string ResolveIncludeName(const std::string& includingFile, const std::string& name);

private:
    CIniStatePtr Run(CItokenizer& tokenizer, CIniStatePtr state);
    CIniStatePtr Dispatch(CIniStatePtr state);
    CIniStatePtr SkipInclude(CIniStatePtr initial, IIniReadObserver::SkipReason reason);
    const std::string& CurrentFile() const;

    CIniFile& store;
    IIniReadObserver* observer;
    CItoken token;
    std::vector<std::shared_ptr<const std::string>> fileStack;  // the top file and the open includes
    int keyLine = 0;                     // line of the word in keyName
    int includesOpened = 0;
    bool recovering = false;             // a syntax error was seen and no section has begun since
};
