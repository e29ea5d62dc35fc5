#pragma once

#include <QTextBrowser>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The demonstration panel's caption view. A caption is text from a script,
// so it may show only what the script brought along: images, style sheets
// and pages from the demonstration's own folder, regular files of a
// caption's size. Anything else (another folder, a device, a pipe, a link
// out of the folder, a web address) is shown as missing.
class CaptionBrowser : public QTextBrowser {
    Q_OBJECT

public:
    // Larger than any picture a caption needs, small enough to read at once.
    static constexpr std::uintmax_t kMaxResourceBytes = 4 * 1024 * 1024;

    explicit CaptionBrowser(QWidget* parent = nullptr);

    // The folder whose files captions may show; empty allows none. Relative
    // names in an inline caption are looked up there.
    void SetDemoFolder(const std::filesystem::path& folder);
    // Shows a page file of the demo folder, or the caption page the player
    // wrote elsewhere for a demo folder that takes no files: that page looks
    // up its relative names in the demo folder too, never in its own. False,
    // showing nothing new, when it may not be read.
    bool ShowPageFile(const std::filesystem::path& page);
    void ShowInlinePage(const QString& html);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    // The bytes of a file inside the demo folder, or nothing.
    std::optional<std::string> ReadAllowed(const std::filesystem::path& file) const;

    std::filesystem::path folder_;
};
