#include "framework/RunReport.h"

namespace RunReport {
namespace {
Writer& Current()
{
    static Writer writer;
    return writer;
}
}

Writer SetWriter(Writer writer)
{
    Writer previous = std::move(Current());
    Current() = std::move(writer);
    return previous;
}

bool IsOn()
{
    return static_cast<bool>(Current());
}

void Say(const std::string& line)
{
    if (Current())
        Current()(line);
}
}
