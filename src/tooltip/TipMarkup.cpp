#include "tooltip/TipMarkup.h"

#include "platform/TextCodec.h"

#include <QImageReader>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <map>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr int kIconSize = 16;
constexpr int kMaxPicture = 256;

QString Attribute(const QString& attributes, const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re((\w+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>/]+)))re"));
    for (auto it = pattern.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).compare(name, Qt::CaseInsensitive) == 0)
            return match.captured(2) + match.captured(3) + match.captured(4);
    }
    return {};
}

// The file named by a tip, when it lies inside the folder and is a picture Qt can read.
QString PictureFile(const QString& name, const fs::path& folder)
{
    if (name.isEmpty() || folder.empty())
        return {};
    const fs::path relative = platform::PathFromUtf8(name.toStdString()).lexically_normal();
    if (relative.is_absolute() || relative.has_root_name() || relative.empty() || *relative.begin() == "..")
        return {};
    std::error_code ec;
    const fs::path file = fs::weakly_canonical(folder / relative, ec);
    const fs::path base = fs::weakly_canonical(folder, ec);
    if (ec || !fs::is_regular_file(file, ec))
        return {};
    // A symbolic link must not lead out of the folder either.
    const auto [baseEnd, fileAt] = std::mismatch(base.begin(), base.end(), file.begin(), file.end());
    if (baseEnd != base.end())
        return {};
    const QString path = QString::fromStdString(platform::PathToUtf8(file));
    return QImageReader(path).canRead() ? path : QString();
}

QString Picture(const QString& tag, const QString& attributes, const fs::path& folder)
{
    const QString file = PictureFile(Attribute(attributes, QStringLiteral("src")), folder);
    if (file.isEmpty())
        return {};
    QSize size(kIconSize, kIconSize);
    if (tag.compare(QStringLiteral("bmp"), Qt::CaseInsensitive) == 0) {
        size = QImageReader(file).size();
        if (size.width() > kMaxPicture || size.height() > kMaxPicture)
            size = size.scaled(kMaxPicture, kMaxPicture, Qt::KeepAspectRatio);
    }
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
        .arg(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded).toHtmlEscaped())
        .arg(size.width())
        .arg(size.height());
}

TipMarkup::Effect EffectNamed(const QString& name, TipMarkup::Effect fallback)
{
    static const std::map<QString, TipMarkup::Effect> effects{
        {QStringLiteral("solid"), TipMarkup::Effect::Solid},
        {QStringLiteral("hgradient"), TipMarkup::Effect::HGradient},
        {QStringLiteral("vgradient"), TipMarkup::Effect::VGradient},
        {QStringLiteral("noise"), TipMarkup::Effect::Noise},
        {QStringLiteral("metal"), TipMarkup::Effect::Metal},
    };
    const auto found = effects.find(name.toLower());
    return found == effects.end() ? fallback : found->second;
}

}  // namespace

TipMarkup TipMarkup::Parse(const QString& markup, const fs::path& imageFolder)
{
    static const QRegularExpression tags(QStringLiteral(R"re(<\s*(effect|icon|bmp)\b([^>]*)>)re"),
                                         QRegularExpression::CaseInsensitiveOption);
    TipMarkup result;
    qsizetype copied = 0;
    for (auto it = tags.globalMatch(markup); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result.html_ += markup.mid(copied, match.capturedStart() - copied);
        copied = match.capturedEnd();
        const QString tag = match.captured(1);
        const QString attributes = match.captured(2);
        if (tag.compare(QStringLiteral("effect"), Qt::CaseInsensitive) != 0) {
            result.html_ += Picture(tag, attributes, imageFolder);
            continue;
        }
        result.effect_ = EffectNamed(Attribute(attributes, QStringLiteral("name")), result.effect_);
        for (auto [key, colour] : {std::pair{"color", &result.colour_}, std::pair{"color2", &result.colour2_}}) {
            const QColor named = QColor::fromString(Attribute(attributes, QString::fromLatin1(key)));
            if (named.isValid())
                *colour = named;
        }
    }
    result.html_ += markup.mid(copied);
    return result;
}
