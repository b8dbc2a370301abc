#pragma once

#include <cstddef>

namespace rtf::detail {

struct CodePageTable
{
    int codePage;
    const char16_t* upperHalf; // 128 characters for the bytes 0x80 to 0xFF
};

extern const CodePageTable codePageTables[];
extern const std::size_t codePageTableCount;

} // namespace rtf::detail
