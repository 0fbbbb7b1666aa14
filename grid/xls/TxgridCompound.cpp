// The compound file's header, its sector allocation table (through the header's list and the
// list's own sectors), the directory's sectors in their chain, then the directory's links
// walked with a stack of our own. Whatever does not add up (a sector past the file, a chain
// that runs on) ends the check as fine: libgsf then refuses the file itself.
#include "grid/xls/TxgridCompound.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace grid::xls {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE, kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;

std::uint32_t le32(const unsigned char* P)
{
    return std::uint32_t(P[0]) | std::uint32_t(P[1]) << 8 | std::uint32_t(P[2]) << 16 | std::uint32_t(P[3]) << 24;
}

class TSectors {
public:
    TSectors(std::FILE* File, unsigned Shift, std::uint64_t FileSize) : FFile(File), FShift(Shift)
    {
        FCount = FileSize >> Shift; // the header takes the place of sector -1
        FCount = FCount ? FCount - 1 : 0;
    }
    std::uint64_t Count() const { return FCount; }
    std::size_t Size() const { return std::size_t(1) << FShift; }
    // Sector N into Out; false when it lies past the file or cannot be read.
    bool Read(std::uint32_t N, std::vector<unsigned char>& Out) const
    {
        if (N > kMaxRegularSector || N >= FCount)
            return false;
        Out.resize(Size());
        return fseeko(FFile, off_t(std::uint64_t(N + 1) << FShift), SEEK_SET) == 0
            && std::fread(Out.data(), 1, Out.size(), FFile) == Out.size();
    }

private:
    std::FILE* FFile;
    unsigned FShift;
    std::uint64_t FCount;
};

struct TLinks {
    std::uint32_t Left, Right, Child;
};

// The directory's entries as their three links; empty when the file does not add up.
std::vector<TLinks> directoryLinks(std::FILE* File)
{
    unsigned char h[512];
    if (fseeko(File, 0, SEEK_END) != 0)
        return {};
    const off_t size = ftello(File);
    if (size < 512 || fseeko(File, 0, SEEK_SET) != 0 || std::fread(h, 1, sizeof h, File) != sizeof h
        || std::memcmp(h, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) != 0)
        return {};
    const unsigned shift = unsigned(h[0x1E] | h[0x1F] << 8);
    if (shift != 9 && shift != 12)
        return {};
    const TSectors sectors(File, shift, std::uint64_t(size));
    const std::size_t perSector = sectors.Size() / 4;
    // The sectors of the allocation table: 109 in the header, the rest in a chain of lists.
    std::vector<std::uint32_t> fatSectors;
    const std::uint32_t fatCount = le32(h + 0x2C);
    for (std::size_t i = 0; i < 109 && fatSectors.size() < fatCount; ++i)
        fatSectors.push_back(le32(h + 0x4C + 4 * i));
    std::vector<unsigned char> sector;
    std::uint32_t next = le32(h + 0x44);
    for (std::uint64_t steps = 0; fatSectors.size() < fatCount && next <= kMaxRegularSector; ++steps) {
        // No more table sectors than the file has sectors.
        if (steps >= sectors.Count() || fatSectors.size() > sectors.Count() || !sectors.Read(next, sector))
            return {};
        for (std::size_t i = 0; i + 1 < perSector && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(le32(sector.data() + 4 * i));
        next = le32(sector.data() + 4 * (perSector - 1));
    }
    if (fatSectors.size() > sectors.Count())
        return {};
    std::vector<std::uint32_t> fat;
    fat.reserve(fatSectors.size() * perSector);
    for (const std::uint32_t s : fatSectors) {
        if (!sectors.Read(s, sector))
            return {};
        for (std::size_t i = 0; i < perSector; ++i)
            fat.push_back(le32(sector.data() + 4 * i));
    }
    // The directory's chain, each sector holding entries of 128 bytes.
    std::vector<TLinks> links;
    std::uint32_t at = le32(h + 0x30);
    for (std::uint64_t steps = 0; at != kEndOfChain; ++steps) {
        if (steps >= sectors.Count() || at >= fat.size() || !sectors.Read(at, sector))
            return {};
        for (std::size_t e = 0; e + 128 <= sector.size(); e += 128) {
            const unsigned char* d = sector.data() + e;
            links.push_back({le32(d + 68), le32(d + 72), le32(d + 76)});
        }
        at = fat[at];
    }
    return links;
}

} // namespace

TCompoundCheck CheckCompoundDirectory(std::FILE* File)
{
    const std::vector<TLinks> links = directoryLinks(File);
    if (links.empty())
        return ccFine;
    std::vector<bool> seen(links.size());
    std::vector<std::pair<std::uint32_t, unsigned>> stack{{0, 0}}; // entry, links from the root
    while (!stack.empty()) {
        const auto [id, depth] = stack.back();
        stack.pop_back();
        if (id == kNoStream || id >= links.size())
            continue;
        if (depth > kCompoundMaxDepth)
            return ccTooDeep;
        if (seen[id])
            return ccLooped;
        seen[id] = true;
        for (const std::uint32_t to : {links[id].Left, links[id].Right, links[id].Child})
            stack.push_back({to, depth + 1});
    }
    return ccFine;
}

} // namespace grid::xls
