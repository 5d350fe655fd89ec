#pragma once
// A plain informational message for the user (a message box with OK on Windows).
// Portable code reports through ShowUserMessage; the Windows program installs a handler that shows
// a message box, and tests install one that records the texts.
#include <functional>
#include <string>

using UserMessageHandler = std::function<void(const std::string& text)>;

// Installs the handler and returns the previous one. Without a handler messages are dropped.
UserMessageHandler SetUserMessageHandler(UserMessageHandler handler);
void ShowUserMessage(const std::string& text);
