#include "tools/exepack/Lh5Stream.h"

#include "transfer/archive/CLzhCodec.h"

#include <algorithm>
#include <cstring>

namespace {
// The codec reads and writes files; this one reads a buffer and collects what is written.
class CBufferFile : public CPathFile {
public:
    explicit CBufferFile(const std::vector<std::uint8_t>* source = nullptr) : source_(source) {}

    std::size_t Read(void* buffer, std::size_t count) override
    {
        std::size_t available = source_ ? source_->size() - position_ : 0;
        std::size_t taken = std::min(count, available);
        if (taken > 0)
            std::memcpy(buffer, source_->data() + position_, taken);
        position_ += taken;
        return taken;
    }

    void Write(const void* buffer, std::size_t count) override
    {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        written_.insert(written_.end(), bytes, bytes + count);
    }

    bool IsOpen() const override { return true; }
    std::string GetPath() const override { return "(memory)"; }
    std::vector<std::uint8_t>& Written() { return written_; }

private:
    const std::vector<std::uint8_t>* source_;
    std::size_t position_ = 0;
    std::vector<std::uint8_t> written_;
};
}  // namespace

std::vector<std::uint8_t> CompressLh5(const std::vector<std::uint8_t>& data)
{
    CBufferFile from(&data);
    CBufferFile to;
    CLzhCodec codec;
    codec.Encode(from, to);
    return std::move(to.Written());
}
