#pragma once
// What every fuzz target shares: a property check that stops the run with a readable
// reason, and a reader that takes typed pieces from the front of the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Declared by libFuzzer's driver and by ReplayMain.cpp.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tally::fuzz {

// Prints the broken property (and the values involved) and aborts: a finding.
[[noreturn]] inline void fail(const char* property, std::string_view detail = {}) {
    std::fprintf(stderr, "property broken: %s\n", property);
    if (!detail.empty()) {
        std::fputs("  detail: ", stderr);
        for (unsigned char c : detail) {
            if (c >= 0x20 && c < 0x7f) std::fputc(c, stderr);
            else std::fprintf(stderr, "\\x%02x", c);
        }
        std::fputc('\n', stderr);
    }
    std::abort();
}

inline void check(bool holds, const char* property, std::string_view detail = {}) {
    if (!holds) fail(property, detail);
}

// Takes pieces from the front of the input; past its end every piece is empty or zero.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (rest_.empty()) return 0;
        auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
        return v;
    }
    std::uint64_t u64() { return (std::uint64_t(u32()) << 32) | u32(); }
    // A piece whose length is the next byte: any bytes, NUL included.
    std::string shortText() { return take(byte()); }
    std::string take(std::size_t n) {
        n = n < rest_.size() ? n : rest_.size();
        std::string out(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return out;
    }
    std::string rest() { return take(rest_.size()); }
    bool empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

}  // namespace tally::fuzz
