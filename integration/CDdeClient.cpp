#include "integration/CDdeClient.h"

namespace {
constexpr DWORD kTimeoutMs = 1000;

// A client has nothing to answer; every notification is acknowledged.
HDDEDATA CALLBACK AcknowledgeEverything(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(1));
}

// A DDE string handle that frees itself.
class CDdeString {
public:
    CDdeString(DWORD instance, const std::string& text)
        : instance_(instance), handle_(DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI))
    {
    }
    ~CDdeString()
    {
        if (handle_)
            DdeFreeStringHandle(instance_, handle_);
    }
    CDdeString(const CDdeString&) = delete;
    CDdeString& operator=(const CDdeString&) = delete;
    HSZ Handle() const { return handle_; }

private:
    DWORD instance_;
    HSZ handle_;
};
}

CDdeClient::~CDdeClient()
{
    Disconnect();
    if (instance_)
        DdeUninitialize(instance_);
}

bool CDdeClient::Initialise()
{
    if (instance_)
        return true;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, AcknowledgeEverything, 0, 0) != DMLERR_NO_ERROR)
        return false;
    instance_ = instance;
    return true;
}

bool CDdeClient::Connect(const std::string& service, const std::string& topic)
{
    if (!Initialise())
        return false;
    Disconnect();
    CDdeString serviceName(instance_, service);
    CDdeString topicName(instance_, topic);
    conversation_ = DdeConnect(instance_, serviceName.Handle(), topicName.Handle(), nullptr);
    return conversation_ != nullptr;
}

bool CDdeClient::Execute(const std::string& command)
{
    if (!conversation_)
        return false;
    DWORD result = 0;
    std::string data = command;
    HDDEDATA reply = DdeClientTransaction(reinterpret_cast<LPBYTE>(&data[0]), static_cast<DWORD>(data.size() + 1),
                                          conversation_, nullptr, CF_TEXT, XTYP_EXECUTE, kTimeoutMs, &result);
    return reply != nullptr;
}

bool CDdeClient::Request(const std::string& item, std::string& answer)
{
    if (!conversation_)
        return false;
    CDdeString itemName(instance_, item);
    DWORD result = 0;
    HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation_, itemName.Handle(), CF_TEXT, XTYP_REQUEST,
                                         kTimeoutMs, &result);
    if (!data)
        return false;
    DWORD size = 0;
    const BYTE* bytes = DdeAccessData(data, &size);
    answer.assign(reinterpret_cast<const char*>(bytes), bytes ? size : 0);
    if (bytes)
        DdeUnaccessData(data);
    DdeFreeDataHandle(data);
    // The text ends at its terminating zero, which the size may count.
    answer.resize(answer.find('\0') == std::string::npos ? answer.size() : answer.find('\0'));
    return true;
}

void CDdeClient::Disconnect()
{
    if (conversation_) {
        DdeDisconnect(conversation_);
        conversation_ = nullptr;
    }
}
