// Command lines, as typed on the recorder's RUN line, on a map of soil.
#include "cmd/RunLine_CMD.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Scene scene(MsgCenter::Instance(), Scene::DemoScan::kNone);
    scene.FillRect(0, 0, 120, 120, CellSoil, CellAny);
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Every line of the input in turn, as a script of RUN lines would run them.
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        RunLine_CMD(text.substr(start, end - start)).Execute();
        start = end + 1;
    }
    return 0;
}
