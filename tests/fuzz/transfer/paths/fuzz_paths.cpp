// Feeds arbitrary texts to the path component operations and the field conversion.
// Input: one control byte choosing the operations, then the path text, a NUL, the argument text.
#include "transfer/paths/CFilePath.h"
#include "transfer/paths/GetNumberField.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void ApplyOperation(CFilePath& path, int operation, const std::string& argument)
{
    switch (operation % 10) {
    case 0: path.SetDrive(argument); break;
    case 1: path.SetDirOnly(argument); break;
    case 2: path.SetDirectory(argument); break;
    case 3: path.SetFileTitle(argument); break;
    case 4: path.SetExtension(argument); break;
    case 5: path.SetFileName(argument); break;
    case 6: path.AppendDirectory(argument); break;
    case 7: path.RemoveLastDirectory(); break;
    case 8: path.SetToRoot(); break;
    default: path.RemoveTrailingBackslash(); break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::uint8_t control = data[0];
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string::size_type nul = rest.find('\0');
    std::string text = rest.substr(0, nul);
    std::string argument = nul == std::string::npos ? std::string() : rest.substr(nul + 1);

    // Splitting and composing give the text back, whatever it is.
    Check(CFilePath::Make(CFilePath::Split(text)) == text);

    CFilePath path(text);
    bool fitted = text.size() < static_cast<std::size_t>(CFilePath::kMaxPath);
    ApplyOperation(path, control & 0x0f, argument);
    ApplyOperation(path, control >> 4, argument);
    if (fitted)
        Check(path.Path().size() < static_cast<std::size_t>(CFilePath::kMaxPath));
    Check(path.GetFileName().find_first_of("\\/") == std::string::npos);
    Check(path.GetDrive().size() <= 1);
    path.GetDirectory();
    path.GetDirOnly();
    path.GetExtension();
    CFilePath::IsPlainName(argument);

    std::string field;
    int index = control % 8;
    if (ExtractField(field, text, index))
        Check(field.find('|') == std::string::npos);
    int number = 0;
    GetNumberField(number, text, index);
    unsigned long unsignedNumber = 0;
    GetUnsignedField(unsignedNumber, argument, index);
    return 0;
}
