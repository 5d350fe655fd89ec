#pragma once
// One DDE client conversation in text format. The DDE instance is made on first use and given
// up with the object; every transaction waits at most one second for the server.
#include <windows.h>

#include <ddeml.h>

#include <string>

class CDdeClient {
public:
    CDdeClient() = default;
    virtual ~CDdeClient();
    CDdeClient(const CDdeClient&) = delete;
    CDdeClient& operator=(const CDdeClient&) = delete;

    // true when a conversation with the service on the topic was opened.
    bool Connect(const std::string& service, const std::string& topic);
    // Sends the command text (with its terminating zero); true when the server accepted it.
    bool Execute(const std::string& command);
    // The server's text for the item; false when it gave none.
    bool Request(const std::string& item, std::string& answer);
    void Disconnect();
    bool IsConnected() const { return conversation_ != nullptr; }

private:
    bool Initialise();

    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
};
