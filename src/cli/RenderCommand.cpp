#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliMapFiles.h"
#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/SafeFileWrite.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "view/MapPicture.h"
#include "view/OffscreenGui.h"
#include "view/ViewGeometry.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <charconv>
#include <iostream>

namespace cli {

namespace {

constexpr int kDefaultCell = 4;
constexpr int kMaxCell = MapPicture::kMaxCellSize;

bool ParseCell(const std::string& text, int& cell)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, cell);
    return ec == std::errc() && ptr == end && cell >= ViewGeometry::kMinCellSize && cell <= kMaxCell;
}

}  // namespace

int Render(const std::vector<std::string>& args)
{
    CliArguments parsed;
    std::string error;
    int cell = kDefaultCell;
    if (!parsed.Parse(args, {{"-o"}, {"--cell"}}, 1, 1, error) || !parsed.Value("-o"))
        error = error.empty() ? "-o PNG is required" : error;
    else if (const auto text = parsed.Value("--cell"); text && !ParseCell(*text, cell))
        error = "--cell wants a whole number from 2 to " + std::to_string(kMaxCell);
    if (!error.empty()) {
        std::cerr << "render: " << error << "\nusage: quarrinlayvane-cli render MAP -o PNG [--cell N]\n";
        return kUsage;
    }

    // Fonts and painting need a GUI application; no display is needed.
    OffscreenGui gui("quarrinlayvane-cli");

    Scene scene(MsgCenter::Instance(), Scene::DemoScan::kNone);
    if (const int status = LoadMap(parsed.Positional()[0], scene); status != kOk)
        return status;
    const QImage picture = MapPicture(MsgCenter::Instance(), scene, AppConfig::Instance()).WholeMap(cell);
    const std::string out = *parsed.Value("-o");
    QByteArray png;
    QBuffer buffer(&png);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG") ||
        !platform::WriteFileSafely(platform::PathFromUtf8(out), std::string_view(png.constData(), png.size()))) {
        std::cerr << "render: cannot write " << out << "\n";
        return kFailed;
    }
    return kOk;
}

}  // namespace cli
