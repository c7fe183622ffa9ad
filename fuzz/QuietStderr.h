#pragma once

#include <iostream>
#include <streambuf>

namespace fuzz {

// The readers report every parse error on stderr; dropping those keeps the
// fuzzer's own output readable. Call from LLVMFuzzerInitialize.
inline void quietStderr()
{
    class DiscardingBuffer : public std::streambuf {
    protected:
        int overflow(int c) override { return traits_type::not_eof(c); }
    };
    static DiscardingBuffer discard;
    std::cerr.rdbuf(&discard);
}

} // namespace fuzz
