#include "framework/UserMessage.h"

#include <utility>

namespace {
UserMessageHandler& CurrentHandler()
{
    static UserMessageHandler handler;
    return handler;
}
}

UserMessageHandler SetUserMessageHandler(UserMessageHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

void ShowUserMessage(const std::string& text)
{
    if (CurrentHandler())
        CurrentHandler()(text);
}
