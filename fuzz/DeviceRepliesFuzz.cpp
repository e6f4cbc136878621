// Fuzzed device replies through the real command channel and the mouse's decoders: the
// commands of the connect sequence with the key slot map, the active profile's settings block,
// the power record, a settings write and the online query, each reply a fuzzed input report of
// the command collection. (EndTransfer is left out: it is BeginTransfer after a 10 ms pause.) Input: one flags byte
// (bit 0: slow link), then replies, each a length byte (taken modulo 65) and that many bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz/FuzzNode.h"
#include "protocol/CommandChannel.h"
#include "protocol/ConfigBlock.h"
#include "protocol/KeyTable.h"
#include "protocol/PowerStatus.h"
#include "protocol/ResultText.h"
#include "sim/Q730Descriptors.h"

namespace {

constexpr size_t kMaxReplies = 256;
constexpr int kCommandCollection = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    if (size < 1) return 0;
    const bool slowLink = (data[0] & 1) != 0;
    std::vector<std::vector<uint8_t>> replies;
    for (size_t at = 1; at < size && replies.size() < kMaxReplies;) {
        const size_t length = std::min<size_t>(data[at] % 65, size - at - 1);
        replies.emplace_back(data + at + 1, data + at + 1 + length);
        at += 1 + length;
    }
    const auto& descriptor = sim::kQ730CommandInterfaceDescriptor;
    auto node = std::make_shared<fuzz::FuzzNode>(std::vector<uint8_t>(descriptor.begin(), descriptor.end()),
                                                 std::move(replies));
    CommandChannel channel(node);
    if (!channel.Open(fuzz::FuzzNode::PathOf(kCommandCollection), slowLink)) std::abort();

    int result = channel.BeginTransfer();
    DeviceInfoRecord info;
    result = channel.ReadDeviceInfo(info);
    const uint16_t blockBefore = channel.BlockSize();
    if (!channel.SetBlockSize(3u * info.KeySlots()) && channel.BlockSize() != blockBefore) std::abort();
    std::array<uint8_t, kKeyTableMaxBytes> table{};
    if (channel.ReadKeyTable(table) == kResultSuccess) BuildKeySlotMap(table, info.KeySlots());
    std::array<uint8_t, 1> profile{};
    std::array<uint8_t, ConfigBlock::kReadBytes> block{};
    if (channel.ReadParameters(profile, 0) == kResultSuccess &&
        channel.ReadParameters(block, static_cast<uint16_t>(profile[0] * ConfigBlock::kProfileStride)) == kResultSuccess) {
        const DecodedConfig config = DecodeConfigBlock(profile[0], block);
        ConfigBlockInput input;
        input.activeProfile = config.activeProfile;
        input.activeDpiStage = config.activeDpiStage;
        const ConfigBlock written = ConfigBlock::Build(input, slowLink);
        result = channel.WriteParameters(std::span(written.bytes).first(ConfigBlock::kWriteBytes),
                                         static_cast<uint16_t>(profile[0] * ConfigBlock::kProfileStride));
    }
    PowerStatus power;
    if (channel.ReadRecord(power.bytes, 0) == kResultSuccess) power.MarkLink(slowLink);
    channel.QueryOnline();
    const CommandFailureDetail detail = channel.LastFailureDetail();
    if (const char* name = CommandName(detail.commandId)) DescribeCommandFailure(name, result, detail);
    channel.Close();
    return 0;
}
