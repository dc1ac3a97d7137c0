#pragma once

// Large buffers that are about to be filled ask the kernel for huge pages, so
// filling them costs a few hundred page faults instead of thousands.

#include <cstddef>

namespace xls {

// A hint only: small buffers and kernels that refuse are left as they are.
void adviseHugePages(void* data, std::size_t size);

}  // namespace xls
