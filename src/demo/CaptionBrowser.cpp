#include "demo/CaptionBrowser.h"

#include "demo/CaptionPageWriter.h"
#include "platform/RegularFileRead.h"
#include "view/QtText.h"

#include <QByteArray>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace {

QUrl FolderUrl(const fs::path& folder)
{
    return folder.empty() ? QUrl() : QUrl::fromLocalFile(QString::fromStdU16String((folder / "").u16string()));
}

// True when `file`, with every link resolved, lies below `folder` (already canonical).
bool IsInside(const fs::path& file, const fs::path& folder)
{
    std::error_code ec;
    const fs::path real = fs::canonical(file, ec);
    if (ec)
        return false;
    const auto [folderEnd, fileAt] = std::mismatch(folder.begin(), folder.end(), real.begin(), real.end());
    return folderEnd == folder.end() && fileAt != real.end();
}

}  // namespace

CaptionBrowser::CaptionBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void CaptionBrowser::SetDemoFolder(const fs::path& folder)
{
    std::error_code ec;
    folder_ = folder.empty() ? fs::path() : fs::canonical(folder, ec);
    if (ec)
        folder_.clear();
}

bool CaptionBrowser::ShowPageFile(const fs::path& page)
{
    if (folder_.empty())
        return false;
    const bool inFolder = IsInside(page, folder_);
    std::optional<std::string> bytes;
    if (inFolder) {
        bytes = ReadAllowed(page);
    } else if (page.filename() == CaptionPageWriter::kPageFileName) {
        platform::FileReadProblem problem = platform::FileReadProblem::kNone;
        bytes = platform::ReadRegularFile(page, kMaxResourceBytes, problem);
    }
    if (!bytes)
        return false;
    document()->setBaseUrl(inFolder ? QUrl::fromLocalFile(QString::fromStdU16String(page.u16string()))
                                    : FolderUrl(folder_));
    // Read here rather than through setSource: the page is GB18030 without a charset of its own.
    setHtml(FromModelText(*bytes));
    return true;
}

void CaptionBrowser::ShowInlinePage(const QString& html)
{
    document()->setBaseUrl(FolderUrl(folder_));
    setHtml(html);
}

QVariant CaptionBrowser::loadResource(int, const QUrl& name)
{
    // Never an empty answer: the document would then read the file itself.
    const QVariant missing = QByteArray();
    const QUrl base = document()->baseUrl().isValid() ? document()->baseUrl() : FolderUrl(folder_);
    const QUrl url = name.isRelative() ? base.resolved(name) : name;
    if (!url.isLocalFile())
        return missing;
    const std::optional<std::string> bytes = ReadAllowed(fs::path(url.toLocalFile().toStdU16String()));
    if (!bytes)
        return missing;
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

std::optional<std::string> CaptionBrowser::ReadAllowed(const fs::path& file) const
{
    if (folder_.empty() || !IsInside(file, folder_))
        return std::nullopt;
    platform::FileReadProblem problem = platform::FileReadProblem::kNone;
    return platform::ReadRegularFile(file, kMaxResourceBytes, problem);
}
