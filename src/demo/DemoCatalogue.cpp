#include "demo/DemoCatalogue.h"

#include "demo/DemoScriptReader.h"
#include "platform/AppFolders.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Far beyond any real folder tree; only keeps a hostile tree off the stack.
constexpr int kMaxDepth = 256;

using NativeString = fs::path::string_type;
using NativeChar = fs::path::value_type;

NativeChar AsciiLower(NativeChar c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<NativeChar>(c - 'A' + 'a') : c;
}

// Listings come back in no fixed order; by name, case-insensitively, with the
// exact name breaking ties, the catalogue is the same on every run.
bool NameBefore(const NativeString& a, const NativeString& b)
{
    const auto lower = [](NativeChar x, NativeChar y) { return AsciiLower(x) < AsciiLower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower))
        return false;
    return a < b;
}

// Only the last four characters are compared, exactly: "x.QLD" is not a script.
bool IsScriptName(const NativeString& name)
{
    static const NativeString extension = fs::path(DemoCatalogue::kExtension).native();
    return name.size() >= 5 && name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

}  // namespace

void DemoCatalogue::Rescan()
{
    Rescan(platform::AppFolders::Find().DemoFolders());
}

void DemoCatalogue::Rescan(const fs::path& demoFolder)
{
    Rescan(std::vector<fs::path>{demoFolder});
}

void DemoCatalogue::Rescan(const std::vector<fs::path>& demoFolders)
{
    entries.clear();
    // One visited set for all: a folder reached twice is scanned once.
    std::set<fs::path> visited;
    for (const fs::path& demoFolder : demoFolders) {
        std::error_code ec;
        const fs::path canonical = fs::canonical(demoFolder, ec);
        if (!ec && !visited.insert(canonical).second)
            continue;
        ScanFolder(demoFolder, 0, visited);
    }
    if (!entries.empty())
        selected = 1;
}

const DemoScript* DemoCatalogue::Selected() const
{
    if (selected < 1 || static_cast<std::size_t>(selected) > entries.size())
        return nullptr;
    return &entries[static_cast<std::size_t>(selected) - 1];
}

void DemoCatalogue::ScanFolder(const fs::path& folder, int depth, std::set<fs::path>& visited)
{
    std::error_code ec;
    std::vector<std::pair<NativeString, fs::path>> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.emplace_back(it->path().filename().native(), it->path());
    std::sort(names.begin(), names.end(),
              [](const auto& a, const auto& b) { return NameBefore(a.first, b.first); });

    for (const auto& [name, path] : names) {
        if (name.empty() || name[0] == '.')
            continue;
        const fs::file_status status = fs::status(path, ec);
        if (ec)
            continue;  // a dangling link or a name we may not look at
        if (fs::is_directory(status)) {
            // A linked folder is followed once; a link back up the tree is not.
            const fs::path canonical = fs::canonical(path, ec);
            if (ec || depth + 1 >= kMaxDepth || !visited.insert(canonical).second)
                continue;
            ScanFolder(path, depth + 1, visited);
        } else if (fs::is_regular_file(status) && IsScriptName(name)) {
            // Pipes and devices are never opened: reading one could block forever.
            if (auto script = DemoScriptReader::ReadFile(path))
                entries.push_back(std::move(*script));
        }
    }
}
