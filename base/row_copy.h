// Copies the bytes of one row of pixels. Each platform has its file
// (base/row_copy_<platform>.cpp, the build picks one): in WebAssembly a short copy by
// the bulk-memory instruction is a call out of the program that costs more than the
// copy itself, and a wipe copies some 1,400 rows of 32 pixels each step.
#pragma once
#include <cstddef>

namespace shirakaba {

// As memcpy: `bytes` bytes from `from` to `to`, which do not overlap.
void copyRow(void* to, const void* from, size_t bytes);

}  // namespace shirakaba
