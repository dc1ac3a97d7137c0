#include "xls/shared_strings.h"

namespace xls {

std::optional<std::vector<QString>> readSharedStrings(const Record& sst) {
    ByteReader in = sst.reader();
    in.skip(4);  // total references to the table
    const std::uint32_t unique = in.u32();
    if (!in.ok())
        return std::nullopt;
    std::vector<QString> strings;
    // Every string takes at least three bytes: a lying count cannot reserve more.
    strings.reserve(std::min<std::size_t>(unique, in.remaining() / 3));
    for (std::uint32_t i = 0; i < unique; ++i) {
        QString s = in.richString();
        if (!in.ok())
            return std::nullopt;
        strings.push_back(std::move(s));
    }
    return strings;
}

}  // namespace xls
