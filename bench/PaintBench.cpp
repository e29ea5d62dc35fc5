// Paint time of the map view on a full map with 5,000 buildings.
#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "view/OffscreenGui.h"
#include "view/ScenePainter.h"
#include "view/SceneSelection.h"


#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

// Soil everywhere, then bands of houses with every fourth band of factories
// and named buildings, a road below each band, until there are 5,000.
void FillTown(Scene& scene)
{
    constexpr int kLimit = GridSize - 1;  // placements must end before column and row 249
    scene.FillRect(0, 0, kLimit, kLimit, CellSoil, CellAny);
    int placed = 0;
    for (int y = 0, band = 0; y + 6 <= kLimit && placed < 5000; ++band) {
        const bool mixed = band % 4 == 3;
        const int height = mixed ? 5 : 3;
        for (int x = 0, i = 0; placed < 5000; ++i) {
            const bool factory = i % 2 == 0;
            const int w = !mixed ? 2 : factory ? 5 : 4;
            if (x + w > kLimit)
                break;
            const bool ok = !mixed ? scene.PlaceBuild(x, y, 2, 3, DefaultColour, "")
                            : factory
                                ? scene.PlaceBuild(x, y, 5, 4, DefaultColour, "")
                                : scene.PlaceBuild(x, y, 4, 5, MakeColorRef(200, 80, 40),
                                                   "\xD2\xBD\xD4\xBA" + std::to_string(placed));
            placed += ok ? 1 : 0;
            x += w;
        }
        scene.FillRect(0, y + height, kLimit, 1, CellRoad, CellAny);
        y += height + 1;
    }
}

void BM_PaintFullMap(benchmark::State& state)
{
    const std::filesystem::path configFile = std::filesystem::temp_directory_path() / "ql-paint-bench.cfg";
    {
        AppConfig config(configFile);
        Scene scene(MsgCenter::Instance());
        FillTown(scene);
        scene.InsertMark({10, 10, 10, 200});
        SceneSelection selection(scene);
        ScenePainter painter(MsgCenter::Instance(), scene, selection, config, nullptr);
        painter.SetSize(550, 550);
        MsgCenter::Instance().Send(ZoomSceneSize_Msg{static_cast<int>(state.range(0))});
        MsgCenter::Instance().Send(MoveSceneCenter_Msg{125, 125});
        state.counters["buildings"] = static_cast<double>(scene.Builds().size());
        for (auto _ : state)
            benchmark::DoNotOptimize(painter.Render());
    }
    std::filesystem::remove(configFile);
}
BENCHMARK(BM_PaintFullMap)->Arg(2)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    OffscreenGui gui("ql_bench_paint");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
