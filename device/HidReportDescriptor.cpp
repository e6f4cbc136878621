#include "device/HidReportDescriptor.h"

#include <algorithm>
#include <bitset>

namespace orvane::hid {
namespace {

// Linux caps a report descriptor at 4 KiB; anything far beyond that is not a real device.
constexpr size_t kMaxDescriptorBytes = 64 * 1024;
constexpr size_t kMaxCollectionDepth = 32;
constexpr size_t kMaxPushDepth = 16;
constexpr uint32_t kMaxFieldBits = 32;
constexpr uint64_t kMaxReportDataBits = 4096 * 8;  // report payload after the id byte
constexpr size_t kReportIdSlots = 256;

constexpr uint8_t kItemLong = 0xFE;

enum class ItemType : uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

namespace main_tag {
constexpr uint8_t kInput = 0x8, kOutput = 0x9, kCollection = 0xA, kFeature = 0xB, kEndCollection = 0xC;
}
namespace global_tag {
constexpr uint8_t kUsagePage = 0x0, kLogicalMin = 0x1, kLogicalMax = 0x2, kPhysicalMin = 0x3,
                  kPhysicalMax = 0x4, kUnitExponent = 0x5, kUnit = 0x6, kReportSize = 0x7, kReportId = 0x8,
                  kReportCount = 0x9, kPush = 0xA, kPop = 0xB;
}
namespace local_tag {
constexpr uint8_t kUsage = 0x0, kUsageMin = 0x1, kUsageMax = 0x2, kDelimiter = 0xA;
}

constexpr uint32_t kFlagConstant = 1u << 0;
constexpr uint32_t kFlagVariable = 1u << 1;
constexpr uint32_t kFlagNullState = 1u << 6;
constexpr uint32_t kCollectionApplication = 0x01;

int32_t SignExtend(uint32_t value, unsigned bits) {
    if (bits == 0) return 0;
    if (bits >= 32) return static_cast<int32_t>(value);
    const uint32_t sign = 1u << (bits - 1);
    value &= (sign << 1) - 1;
    return static_cast<int32_t>((value ^ sign) - sign);
}

struct Item {
    ItemType type = ItemType::Main;
    uint8_t tag = 0;
    uint8_t size = 0;  // data bytes: 0, 1, 2 or 4
    uint32_t data = 0;

    int32_t Signed() const { return SignExtend(data, size * 8u); }
};

// The global item table. Maxima keep their encoded size: whether they are signed depends on
// the minimum, which may be declared after them.
struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    uint32_t logicalMaxRaw = 0;
    uint8_t logicalMaxSize = 0;
    int32_t physicalMin = 0;
    uint32_t physicalMaxRaw = 0;
    uint8_t physicalMaxSize = 0;
    uint32_t unitExponent = 0;
    uint32_t unit = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

// A non-negative minimum makes the maximum unsigned: plenty of devices encode 0..255 as
// "15 00 25 FF", which read strictly would be 0..-1.
int32_t ResolveMaximum(int32_t minimum, uint32_t raw, uint8_t size) {
    if (minimum >= 0) return static_cast<int32_t>(raw);
    return SignExtend(raw, size * 8u);
}

// One usage or usage range of the local table, as extended usages (page in the high 16 bits).
struct UsageEntry {
    uint32_t min = 0;
    uint32_t max = 0;
    bool isRange = false;
    bool extended = false;  // declared with an explicit page, never re-paged
};

struct LocalState {
    std::vector<UsageEntry> usages;
    std::optional<uint32_t> pendingMin;
    std::optional<uint32_t> pendingMax;
    bool pendingExtended = false;
    bool inDelimiter = false;
    uint32_t usagesInDelimiter = 0;
    bool usagePageUsed = false;  // some usage was declared under the current usage page
};

struct PendingCollection {
    Collection collection;
    std::array<std::bitset<kReportIdSlots>, kReportTypeCount> reportIds;
};

class Parser {
public:
    std::optional<std::vector<Collection>> Run(std::span<const uint8_t> descriptor);

private:
    bool HandleMain(const Item& item);
    bool HandleGlobal(const Item& item);
    bool HandleLocal(const Item& item);
    bool AddField(ReportType type, uint32_t flags);
    bool AddUsage(uint32_t usage, bool extended);
    bool CloseUsageRange();
    void ApplyLastUsagePage();
    void ClearLocals();

    GlobalState global_;
    std::vector<GlobalState> globalStack_;
    LocalState local_;
    size_t depth_ = 0;
    std::optional<size_t> current_;  // index into collections_ while inside a top-level collection
    std::vector<PendingCollection> collections_;
    std::array<std::array<uint32_t, kReportIdSlots>, kReportTypeCount> reportBits_{};
    bool declaresReportIds_ = false;
    bool hasUnnumberedFields_ = false;
};

std::optional<std::vector<Collection>> Parser::Run(std::span<const uint8_t> descriptor) {
    if (descriptor.empty() || descriptor.size() > kMaxDescriptorBytes) return std::nullopt;

    size_t pos = 0;
    while (pos < descriptor.size()) {
        const uint8_t prefix = descriptor[pos];
        if (prefix == kItemLong) {
            // Long items carry no meaning for the report layout; skip them whole.
            if (descriptor.size() - pos < 3) return std::nullopt;
            const size_t length = descriptor[pos + 1];
            if (descriptor.size() - pos - 3 < length) return std::nullopt;
            pos += 3 + length;
            continue;
        }
        static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
        Item item;
        item.size = kSizes[prefix & 0x03];
        item.type = static_cast<ItemType>((prefix >> 2) & 0x03);
        item.tag = static_cast<uint8_t>(prefix >> 4);
        if (descriptor.size() - pos - 1 < item.size) return std::nullopt;
        for (uint8_t i = 0; i < item.size; ++i)
            item.data |= static_cast<uint32_t>(descriptor[pos + 1 + i]) << (8 * i);
        pos += 1 + item.size;

        bool ok = true;
        switch (item.type) {
            case ItemType::Main: ok = HandleMain(item); break;
            case ItemType::Global: ok = HandleGlobal(item); break;
            case ItemType::Local: ok = HandleLocal(item); break;
            case ItemType::Reserved: break;
        }
        if (!ok) return std::nullopt;
    }

    if (depth_ != 0 || collections_.empty()) return std::nullopt;
    // Once a descriptor numbers its reports, every report must carry an id.
    if (declaresReportIds_ && hasUnnumberedFields_) return std::nullopt;

    std::vector<Collection> result;
    result.reserve(collections_.size());
    for (auto& pending : collections_) {
        Collection& c = pending.collection;
        c.numberedReports = declaresReportIds_;
        std::bitset<kReportIdSlots> allIds;
        std::array<uint16_t, kReportTypeCount> lengths{};
        for (size_t t = 0; t < kReportTypeCount; ++t) {
            uint32_t maxBits = 0;
            bool any = false;
            for (size_t id = 0; id < kReportIdSlots; ++id) {
                if (!pending.reportIds[t].test(id)) continue;
                any = true;
                maxBits = std::max(maxBits, reportBits_[t][id]);
            }
            allIds |= pending.reportIds[t];
            lengths[t] = any ? static_cast<uint16_t>(1 + (maxBits + 7) / 8) : 0;
        }
        for (size_t id = 0; id < kReportIdSlots; ++id)
            if (allIds.test(id)) c.reportIds.push_back(static_cast<uint8_t>(id));

        auto count = [&](auto& list, ReportType t) {
            return static_cast<uint16_t>(list[static_cast<size_t>(t)].size());
        };
        c.caps.inputReportByteLength = lengths[static_cast<size_t>(ReportType::Input)];
        c.caps.outputReportByteLength = lengths[static_cast<size_t>(ReportType::Output)];
        c.caps.featureReportByteLength = lengths[static_cast<size_t>(ReportType::Feature)];
        c.caps.numberInputButtonCaps = count(c.buttonCaps, ReportType::Input);
        c.caps.numberInputValueCaps = count(c.valueCaps, ReportType::Input);
        c.caps.numberOutputButtonCaps = count(c.buttonCaps, ReportType::Output);
        c.caps.numberOutputValueCaps = count(c.valueCaps, ReportType::Output);
        c.caps.numberFeatureButtonCaps = count(c.buttonCaps, ReportType::Feature);
        c.caps.numberFeatureValueCaps = count(c.valueCaps, ReportType::Feature);
        result.push_back(std::move(c));
    }
    return result;
}

bool Parser::HandleMain(const Item& item) {
    bool ok = true;
    switch (item.tag) {
        case main_tag::kInput: ok = AddField(ReportType::Input, item.data); break;
        case main_tag::kOutput: ok = AddField(ReportType::Output, item.data); break;
        case main_tag::kFeature: ok = AddField(ReportType::Feature, item.data); break;
        case main_tag::kCollection: {
            if (depth_ >= kMaxCollectionDepth) return false;
            if (!CloseUsageRange()) return false;
            ApplyLastUsagePage();
            if (depth_ == 0 && (item.data & 0xFF) == kCollectionApplication) {
                PendingCollection pending;
                uint32_t usage = static_cast<uint32_t>(global_.usagePage) << 16;
                if (!local_.usages.empty()) usage = local_.usages.front().min;
                pending.collection.caps.usagePage = static_cast<uint16_t>(usage >> 16);
                pending.collection.caps.usage = static_cast<uint16_t>(usage & 0xFFFF);
                collections_.push_back(std::move(pending));
                current_ = collections_.size() - 1;
            }
            ++depth_;
            break;
        }
        case main_tag::kEndCollection:
            if (depth_ == 0) return false;
            if (--depth_ == 0) current_.reset();
            break;
        default: break;  // reserved main items have no layout
    }
    ClearLocals();
    return ok;
}

bool Parser::HandleGlobal(const Item& item) {
    switch (item.tag) {
        case global_tag::kUsagePage:
            if (item.data > 0xFFFF) return false;
            global_.usagePage = static_cast<uint16_t>(item.data);
            local_.usagePageUsed = false;
            break;
        case global_tag::kLogicalMin: global_.logicalMin = item.Signed(); break;
        case global_tag::kLogicalMax:
            global_.logicalMaxRaw = item.data;
            global_.logicalMaxSize = item.size;
            break;
        case global_tag::kPhysicalMin: global_.physicalMin = item.Signed(); break;
        case global_tag::kPhysicalMax:
            global_.physicalMaxRaw = item.data;
            global_.physicalMaxSize = item.size;
            break;
        case global_tag::kUnitExponent: global_.unitExponent = item.data; break;
        case global_tag::kUnit: global_.unit = item.data; break;
        case global_tag::kReportSize: global_.reportSize = item.data; break;
        case global_tag::kReportId:
            if (item.data == 0 || item.data > 0xFF) return false;
            global_.reportId = static_cast<uint8_t>(item.data);
            declaresReportIds_ = true;
            break;
        case global_tag::kReportCount: global_.reportCount = item.data; break;
        case global_tag::kPush:
            if (globalStack_.size() >= kMaxPushDepth) return false;
            globalStack_.push_back(global_);
            break;
        case global_tag::kPop:
            if (globalStack_.empty()) return false;
            global_ = globalStack_.back();
            globalStack_.pop_back();
            local_.usagePageUsed = false;
            break;
        default: break;  // reserved
    }
    return true;
}

bool Parser::HandleLocal(const Item& item) {
    const bool extended = item.size == 4;
    const uint32_t usage =
        extended ? item.data : (static_cast<uint32_t>(global_.usagePage) << 16) | (item.data & 0xFFFF);
    switch (item.tag) {
        case local_tag::kUsage: return AddUsage(usage, extended);
        case local_tag::kUsageMin:
        case local_tag::kUsageMax: {
            if (!extended) local_.usagePageUsed = true;
            auto& slot = item.tag == local_tag::kUsageMin ? local_.pendingMin : local_.pendingMax;
            if (slot) return false;  // a second bound before the range was closed
            slot = usage;
            local_.pendingExtended = local_.pendingExtended || extended;
            return CloseUsageRange();
        }
        case local_tag::kDelimiter:
            if (item.data == 1) {
                if (local_.inDelimiter) return false;
                local_.inDelimiter = true;
                local_.usagesInDelimiter = 0;
            } else if (item.data == 0) {
                if (!local_.inDelimiter) return false;
                local_.inDelimiter = false;
            } else {
                return false;
            }
            return true;
        default: return true;  // designators and strings do not affect the layout
    }
}

bool Parser::AddUsage(uint32_t usage, bool extended) {
    if (!extended) local_.usagePageUsed = true;
    // Of a delimited set of alternative usages only the first one names the control.
    if (local_.inDelimiter && local_.usagesInDelimiter++ > 0) return true;
    local_.usages.push_back({usage, usage, false, extended});
    return true;
}

// Turns a usage minimum and maximum into a range once both are known; either may come first.
bool Parser::CloseUsageRange() {
    if (!local_.pendingMin || !local_.pendingMax) return true;
    const uint32_t min = *local_.pendingMin;
    const uint32_t max = *local_.pendingMax;
    local_.pendingMin.reset();
    local_.pendingMax.reset();
    const bool extended = local_.pendingExtended;
    local_.pendingExtended = false;
    if ((min >> 16) != (max >> 16) || (min & 0xFFFF) > (max & 0xFFFF)) return false;
    if (local_.inDelimiter && local_.usagesInDelimiter++ > 0) return true;
    local_.usages.push_back({min, max, true, extended});
    return true;
}

// A usage page declared after the usages of an item, and used by none of them, applies to all
// of them: the usage page in effect at the main item completes a usage.
void Parser::ApplyLastUsagePage() {
    if (local_.usagePageUsed) return;
    const uint32_t page = static_cast<uint32_t>(global_.usagePage) << 16;
    for (auto& e : local_.usages) {
        if (e.extended) continue;
        e.min = page | (e.min & 0xFFFF);
        e.max = page | (e.max & 0xFFFF);
    }
}

void Parser::ClearLocals() { local_ = LocalState{}; }

bool Parser::AddField(ReportType type, uint32_t flags) {
    if (!CloseUsageRange()) return false;
    ApplyLastUsagePage();

    const uint64_t bits = static_cast<uint64_t>(global_.reportSize) * global_.reportCount;
    if (bits == 0) return true;  // occupies nothing, describes nothing

    const size_t t = static_cast<size_t>(type);
    const uint8_t id = global_.reportId;
    const uint64_t offset = reportBits_[t][id];
    if (offset + bits > kMaxReportDataBits) return false;
    reportBits_[t][id] = static_cast<uint32_t>(offset + bits);
    if (id == 0) hasUnnumberedFields_ = true;

    if (!current_) return true;  // outside any application collection: space, but no owner
    PendingCollection& owner = collections_[*current_];
    owner.reportIds[t].set(id);

    if (flags & kFlagConstant) return true;  // padding
    if (global_.reportSize > kMaxFieldBits) return false;

    const uint16_t size = static_cast<uint16_t>(global_.reportSize);
    const uint32_t count = global_.reportCount;  // <= kMaxReportDataBits, fits 16 bits
    const int32_t logicalMin = global_.logicalMin;
    const int32_t logicalMax = ResolveMaximum(logicalMin, global_.logicalMaxRaw, global_.logicalMaxSize);
    const int32_t physicalMin = global_.physicalMin;
    const int32_t physicalMax = ResolveMaximum(physicalMin, global_.physicalMaxRaw, global_.physicalMaxSize);
    Collection& c = owner.collection;

    if (!(flags & kFlagVariable)) {
        // An array: each field holds an index into the item's usage list. Every usage or range
        // gets a capability of its own, all describing the same fields.
        for (const UsageEntry& e : local_.usages) {
            ButtonCaps caps;
            caps.usagePage = static_cast<uint16_t>(e.min >> 16);
            caps.reportId = id;
            caps.isRange = e.isRange;
            caps.usageMin = static_cast<uint16_t>(e.min & 0xFFFF);
            caps.usageMax = static_cast<uint16_t>(e.max & 0xFFFF);
            caps.isArray = true;
            caps.bitOffset = static_cast<uint32_t>(offset);
            caps.reportSize = size;
            caps.reportCount = static_cast<uint16_t>(count);
            caps.logicalMin = logicalMin;
            caps.logicalMax = logicalMax;
            c.buttonCaps[t].push_back(caps);
        }
        return true;
    }

    // A variable item: usages are handed out to fields in order, a range one usage per field;
    // the last usage covers whatever fields remain, and usages beyond the fields are dropped.
    const bool isButton = size == 1 && logicalMin == 0 && logicalMax == 1;
    std::vector<UsageEntry> entries = local_.usages;
    if (entries.empty()) {
        const uint32_t none = static_cast<uint32_t>(global_.usagePage) << 16;
        entries.push_back({none, none, false, false});
    }
    uint32_t remaining = count;
    uint64_t fieldOffset = offset;
    for (size_t i = 0; i < entries.size() && remaining > 0; ++i) {
        const UsageEntry& e = entries[i];
        const bool last = i + 1 == entries.size();
        const uint32_t usages = (e.max & 0xFFFF) - (e.min & 0xFFFF) + 1;
        const uint32_t take = std::min(usages, remaining);
        const uint32_t fields = last ? remaining : take;
        const uint16_t usageMin = static_cast<uint16_t>(e.min & 0xFFFF);
        const uint16_t usageMax = static_cast<uint16_t>(usageMin + take - 1);
        // Button and value capabilities share their field layout; one filler serves both.
        auto fill = [&](auto& caps) {
            caps.usagePage = static_cast<uint16_t>(e.min >> 16);
            caps.reportId = id;
            caps.isRange = e.isRange;
            caps.usageMin = usageMin;
            caps.usageMax = usageMax;
            caps.bitOffset = static_cast<uint32_t>(fieldOffset);
            caps.reportSize = size;
            caps.reportCount = static_cast<uint16_t>(fields);
            caps.logicalMin = logicalMin;
            caps.logicalMax = logicalMax;
        };
        if (isButton) {
            ButtonCaps caps;
            fill(caps);
            c.buttonCaps[t].push_back(caps);
        } else {
            ValueCaps caps;
            fill(caps);
            caps.physicalMin = physicalMin;
            caps.physicalMax = physicalMax;
            caps.hasNull = (flags & kFlagNullState) != 0;
            caps.units = global_.unit;
            caps.unitsExponent = global_.unitExponent;
            c.valueCaps[t].push_back(caps);
        }
        fieldOffset += static_cast<uint64_t>(fields) * size;
        remaining -= fields;
    }
    return true;
}

// ---- report decoding ----

bool ValidType(ReportType type) { return static_cast<size_t>(type) < kReportTypeCount; }

uint16_t ReportByteLength(const Caps& caps, ReportType type) {
    switch (type) {
        case ReportType::Input: return caps.inputReportByteLength;
        case ReportType::Output: return caps.outputReportByteLength;
        case ReportType::Feature: return caps.featureReportByteLength;
    }
    return 0;
}

uint32_t CheckReport(const Collection& c, ReportType type, std::span<const uint8_t> report) {
    if (!ValidType(type)) return kStatusInvalidReportType;
    if (report.empty() || report.size() < ReportByteLength(c.caps, type)) return kStatusInvalidReportLength;
    return kStatusSuccess;
}

// Whether `bits` bits at `bitOffset` lie inside the report data (after the id byte).
bool FieldInside(std::span<const uint8_t> report, uint64_t bitOffset, uint64_t bits) {
    return bitOffset + bits <= static_cast<uint64_t>(report.size() - 1) * 8;
}

// HID packs fields little-endian: bit 0 of a field is the lowest bit of its first byte.
uint32_t ReadField(std::span<const uint8_t> report, uint64_t bitOffset, unsigned bits) {
    const std::span<const uint8_t> data = report.subspan(1);
    uint32_t value = 0;
    for (unsigned i = 0; i < bits; ++i) {
        const uint64_t bit = bitOffset + i;
        if ((data[static_cast<size_t>(bit / 8)] >> (bit % 8)) & 1u) value |= 1u << i;
    }
    return value;
}

int64_t FieldAsLogical(uint32_t raw, unsigned bits, int32_t logicalMin) {
    return logicalMin < 0 ? SignExtend(raw, bits) : static_cast<int64_t>(raw);
}

bool SameArrayItem(const ButtonCaps& a, const ButtonCaps& b) {
    return a.isArray && b.isArray && a.reportId == b.reportId && a.bitOffset == b.bitOffset &&
           a.reportSize == b.reportSize && a.reportCount == b.reportCount;
}

// The capabilities of one array item sit next to each other; returns the end of the run.
size_t ArrayItemEnd(const std::vector<ButtonCaps>& caps, size_t begin) {
    size_t end = begin + 1;
    while (end < caps.size() && SameArrayItem(caps[begin], caps[end])) ++end;
    return end;
}

uint32_t UsageCount(const ButtonCaps& caps) {
    return caps.usageMax >= caps.usageMin ? static_cast<uint32_t>(caps.usageMax - caps.usageMin) + 1 : 1;
}

const ValueCaps* FindValueCaps(const Collection& c, ReportType type, uint16_t usagePage, uint16_t usage,
                               uint8_t reportId, uint32_t& status) {
    bool elsewhere = false;
    for (const ValueCaps& caps : c.valueCaps[static_cast<size_t>(type)]) {
        if (caps.usagePage != usagePage || usage < caps.usageMin || usage > caps.usageMax) continue;
        if (caps.reportId == reportId) {
            status = kStatusSuccess;
            return &caps;
        }
        elsewhere = true;
    }
    status = elsewhere ? kStatusIncompatibleReportId : kStatusUsageNotFound;
    return nullptr;
}

uint32_t ReadValue(const Collection& c, ReportType type, uint16_t usagePage, uint16_t usage,
                   std::span<const uint8_t> report, uint32_t& raw, const ValueCaps*& found) {
    uint32_t status = CheckReport(c, type, report);
    if (status != kStatusSuccess) return status;
    found = FindValueCaps(c, type, usagePage, usage, report[0], status);
    if (!found) return status;
    if (found->reportSize == 0 || found->reportSize > kMaxFieldBits || found->reportCount == 0)
        return kStatusInvalidPreparsedData;
    // Each usage of a range has a field of its own; a lone usage reads its first field.
    const uint32_t field = std::min<uint32_t>(usage - found->usageMin, found->reportCount - 1u);
    const uint64_t bitOffset = found->bitOffset + static_cast<uint64_t>(field) * found->reportSize;
    if (!FieldInside(report, bitOffset, found->reportSize)) return kStatusInvalidReportLength;
    raw = ReadField(report, bitOffset, found->reportSize);
    return kStatusSuccess;
}

}  // namespace

bool Collection::HasReportId(uint8_t id) const {
    return std::find(reportIds.begin(), reportIds.end(), id) != reportIds.end();
}

std::optional<std::vector<Collection>> ParseReportDescriptor(std::span<const uint8_t> descriptor) {
    Parser parser;
    return parser.Run(descriptor);
}

uint32_t MaxUsageListLength(const Collection& c, ReportType type, uint16_t usagePage) {
    if (!ValidType(type)) return 0;
    const auto& caps = c.buttonCaps[static_cast<size_t>(type)];
    uint32_t total = 0;
    for (size_t i = 0; i < caps.size();) {
        if (!caps[i].isArray) {
            if (usagePage == 0 || caps[i].usagePage == usagePage) total += UsageCount(caps[i]);
            ++i;
            continue;
        }
        // An array item reports at most one usage per field, whatever its usage list holds.
        const size_t end = ArrayItemEnd(caps, i);
        const auto item = std::span<const ButtonCaps>(caps).subspan(i, end - i);
        const bool matches = std::any_of(item.begin(), item.end(), [&](const ButtonCaps& b) {
            return usagePage == 0 || b.usagePage == usagePage;
        });
        if (matches) total += caps[i].reportCount;
        i = end;
    }
    return total;
}

uint32_t GetUsages(const Collection& c, ReportType type, uint16_t usagePage, std::span<const uint8_t> report,
                   uint32_t maxUsages, std::vector<uint16_t>& usages) {
    usages.clear();
    const uint32_t status = CheckReport(c, type, report);
    if (status != kStatusSuccess) return status;
    const uint8_t reportId = report[0];
    const auto& caps = c.buttonCaps[static_cast<size_t>(type)];

    bool inReport = false;
    bool elsewhere = false;
    std::vector<uint16_t> found;
    for (size_t i = 0; i < caps.size();) {
        const ButtonCaps& first = caps[i];
        const size_t end = first.isArray ? ArrayItemEnd(caps, i) : i + 1;
        const auto group = std::span<const ButtonCaps>(caps).subspan(i, end - i);
        i = end;
        if (std::none_of(group.begin(), group.end(), [&](const ButtonCaps& b) { return b.usagePage == usagePage; }))
            continue;
        if (first.reportId != reportId) {
            elsewhere = true;
            continue;
        }
        inReport = true;
        if (first.reportSize == 0 || first.reportSize > kMaxFieldBits) return kStatusInvalidPreparsedData;
        const uint64_t bits = static_cast<uint64_t>(first.reportSize) * first.reportCount;
        if (!FieldInside(report, first.bitOffset, bits)) return kStatusInvalidReportLength;

        if (!first.isArray) {
            // Fields past the last usage repeat it; report it once.
            const uint32_t span = UsageCount(first) - 1;
            bool lastReported = false;
            for (uint32_t f = 0; f < first.reportCount; ++f) {
                if (!ReadField(report, first.bitOffset + static_cast<uint64_t>(f) * first.reportSize, first.reportSize))
                    continue;
                if (f >= span) {
                    if (lastReported) continue;
                    lastReported = true;
                }
                found.push_back(static_cast<uint16_t>(first.usageMin + std::min(f, span)));
            }
            continue;
        }

        for (uint32_t f = 0; f < first.reportCount; ++f) {
            const uint32_t raw = ReadField(report, first.bitOffset + static_cast<uint64_t>(f) * first.reportSize,
                                           first.reportSize);
            const int64_t v = FieldAsLogical(raw, first.reportSize, first.logicalMin);
            if (v < first.logicalMin || v > first.logicalMax) continue;  // nothing pressed
            int64_t index = v - first.logicalMin;
            for (const ButtonCaps& b : group) {
                const int64_t n = UsageCount(b);
                if (index >= n) {
                    index -= n;
                    continue;
                }
                const auto usage = static_cast<uint16_t>(b.usageMin + index);
                // Usage 0 is "no control" on every page: an empty slot of the array.
                if (b.usagePage == usagePage && usage != 0) found.push_back(usage);
                break;
            }
        }
    }

    if (!inReport) return elsewhere ? kStatusIncompatibleReportId : kStatusUsageNotFound;
    if (found.size() > maxUsages) {
        found.resize(maxUsages);
        usages = std::move(found);
        return kStatusBufferTooSmall;
    }
    usages = std::move(found);
    return kStatusSuccess;
}

uint32_t GetUsageValue(const Collection& c, ReportType type, uint16_t usagePage, uint16_t usage,
                       std::span<const uint8_t> report, uint32_t& value) {
    uint32_t raw = 0;
    const ValueCaps* caps = nullptr;
    const uint32_t status = ReadValue(c, type, usagePage, usage, report, raw, caps);
    if (status == kStatusSuccess) value = raw;
    return status;
}

uint32_t GetScaledUsageValue(const Collection& c, ReportType type, uint16_t usagePage, uint16_t usage,
                             std::span<const uint8_t> report, int32_t& value) {
    uint32_t raw = 0;
    const ValueCaps* caps = nullptr;
    const uint32_t status = ReadValue(c, type, usagePage, usage, report, raw, caps);
    if (status != kStatusSuccess) return status;

    const int64_t logicalMin = caps->logicalMin;
    const int64_t logicalMax = caps->logicalMax;
    int64_t physicalMin = caps->physicalMin;
    int64_t physicalMax = caps->physicalMax;
    if (physicalMin == 0 && physicalMax == 0) {
        physicalMin = logicalMin;
        physicalMax = logicalMax;
    }
    if (logicalMin >= logicalMax || physicalMin >= physicalMax) return kStatusBadLogPhyValues;

    const int64_t v = FieldAsLogical(raw, caps->reportSize, caps->logicalMin);
    if (v < logicalMin || v > logicalMax) return caps->hasNull ? kStatusNull : kStatusValueOutOfRange;

    // Both spans are below 2^32, so their product fits 64 unsigned bits, and the quotient is at
    // most the physical span: the result stays inside the physical range.
    const auto offset = static_cast<uint64_t>(v - logicalMin);
    const auto physicalSpan = static_cast<uint64_t>(physicalMax - physicalMin);
    const auto logicalSpan = static_cast<uint64_t>(logicalMax - logicalMin);
    value = static_cast<int32_t>(physicalMin + static_cast<int64_t>(offset * physicalSpan / logicalSpan));
    return kStatusSuccess;
}

}  // namespace orvane::hid
