#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Where the demonstration player shows its captions. The model writes pages
// and texts; a window (or the command-line tool) decides how to show them.
class DemoPlayerView {
public:
    virtual ~DemoPlayerView() = default;

    // Inline HTML (GB18030 bytes), the part of an "about:" address after the colon.
    virtual void ShowInlinePage(const std::string& html) = 0;
    // A caption page the player has just written to disk.
    virtual void ShowFilePage(const std::filesystem::path& page) = 0;
    // False for a view that shows no caption at all: the player then writes no page for it.
    virtual bool ShowsCaptions() const { return true; }
    // A script line that was not carried out; `line` is GB18030 bytes.
    virtual void LineIgnored(const std::string& line, std::string_view reason)
    {
        (void)line;
        (void)reason;
    }
};
