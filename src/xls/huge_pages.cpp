#include "xls/huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace xls {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

}  // namespace

void adviseHugePages(void* data, std::size_t size) {
    // Below two huge pages no whole huge page is sure to lie inside the buffer.
    if (size < 2 * kHugePage)
        return;
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto begin = std::uintptr_t(data);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    ::madvise(reinterpret_cast<void*>(first), begin + size - first, MADV_HUGEPAGE);
}

}  // namespace xls
