#include "config/ConfigWordReader.h"

#include "platform/TextBlank.h"

#include <charconv>

bool ConfigWordReader::NextWord(std::string_view& word)
{
    if (failed_)
        return false;
    while (pos_ < text_.size() && platform::IsBlank(text_[pos_]))
        ++pos_;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !platform::IsBlank(text_[pos_]))
        ++pos_;
    if (start == pos_) {
        failed_ = true;
        return false;
    }
    word = text_.substr(start, pos_ - start);
    return true;
}

bool ConfigWordReader::Word(std::string& word)
{
    std::string_view w;
    if (!NextWord(w))
        return false;
    word.assign(w);
    return true;
}

bool ConfigWordReader::Key(std::string_view key)
{
    std::string_view w;
    if (!NextWord(w))
        return false;
    if (w != key)
        failed_ = true;
    return !failed_;
}

bool ConfigWordReader::Decimal(std::int32_t& value)
{
    std::string_view w;
    if (!NextWord(w))
        return false;
    const char* first = w.data();
    if (*first == '+')
        ++first;
    std::int32_t parsed = 0;
    const auto [end, ec] = std::from_chars(first, w.data() + w.size(), parsed, 10);
    if (ec != std::errc() || end != w.data() + w.size()) {
        failed_ = true;
        return false;
    }
    value = parsed;
    return true;
}

bool ConfigWordReader::Hex(std::uint32_t& value)
{
    std::string_view w;
    if (!NextWord(w))
        return false;
    if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X'))
        w.remove_prefix(2);
    std::uint32_t parsed = 0;
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), parsed, 16);
    if (ec != std::errc() || end != w.data() + w.size()) {
        failed_ = true;
        return false;
    }
    value = parsed;
    return true;
}
