#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Reads a settings text as words separated by white space. Like a stream, it
// fails for good at the first read that does not succeed: a missing word or
// a number that cannot be read leaves its target unchanged and makes every
// later read fail too.
class ConfigWordReader {
public:
    explicit ConfigWordReader(std::string_view text) : text_(text) {}

    bool Word(std::string& word);
    // True when the next word is exactly `key`; otherwise the reader fails.
    bool Key(std::string_view key);
    bool Decimal(std::int32_t& value);
    bool Hex(std::uint32_t& value);

    bool Failed() const { return failed_; }

private:
    bool NextWord(std::string_view& word);

    std::string_view text_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};
