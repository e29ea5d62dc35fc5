// Solves the layout of a map exactly with a mixed-integer solver, for the
// reference figures of the optimised-layout benchmark: one binary variable per
// place a footprint fits, one row per cell, most covered cells wins.
//   ql_exact_layout MAP.qlm [SECONDS [BEST.qlm]]
// prints "region=<cells> uncovered=<cells> bound=<cells> proven=yes|no seconds=<s>".
// SECONDS (default 600) bounds each component; BEST receives the best layout.
#include "LayoutMaps.h"

#include "msg/MsgCenter.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"
#include "search/optimised/PackingRegion.h"

#include <coin/Cbc_C_Interface.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <string>

namespace {

struct ComponentResult {
    int uncovered = 0;
    int bound = 0;
    std::vector<Placement> layout;
};

ComponentResult Solve(const PackingRegion& region, const PackingRegion::Component& component, double seconds)
{
    const int n = static_cast<int>(component.cells.size());
    std::vector<int> rowOf(GridCells, -1);
    for (int i = 0; i < n; ++i)
        rowOf[static_cast<std::size_t>(component.cells[static_cast<std::size_t>(i)])] = i;

    std::vector<Placement> columns;
    std::vector<CoinBigIndex> starts{0};
    std::vector<int> rows;
    std::vector<double> values, objective;
    for (const std::int32_t cell : component.cells) {
        for (int f = 0; f < static_cast<int>(kFootprints.size()); ++f) {
            if (!region.Fits(CellX(cell), CellY(cell), f))
                continue;
            const Footprint& shape = kFootprints[static_cast<std::size_t>(f)];
            for (int y = CellY(cell); y < CellY(cell) + shape.h; ++y) {
                for (int x = CellX(cell); x < CellX(cell) + shape.w; ++x) {
                    rows.push_back(rowOf[static_cast<std::size_t>(CellIndex(x, y))]);
                    values.push_back(1.0);
                }
            }
            starts.push_back(static_cast<CoinBigIndex>(rows.size()));
            objective.push_back(shape.Area());
            columns.push_back({cell, f});
        }
    }
    const int count = static_cast<int>(columns.size());
    std::vector<double> lower(static_cast<std::size_t>(count), 0.0), upper(static_cast<std::size_t>(count), 1.0);
    std::vector<double> rowLower(static_cast<std::size_t>(n), 0.0), rowUpper(static_cast<std::size_t>(n), 1.0);

    Cbc_Model* model = Cbc_newModel();
    Cbc_loadProblem(model, count, n, starts.data(), rows.data(), values.data(), lower.data(), upper.data(),
                    objective.data(), rowLower.data(), rowUpper.data());
    for (int i = 0; i < count; ++i)
        Cbc_setInteger(model, i);
    Cbc_setObjSense(model, -1);
    Cbc_setMaximumSeconds(model, seconds);
    Cbc_setLogLevel(model, 0);
    Cbc_setAllowableGap(model, 0.5);  // the objective is whole
    Cbc_solve(model);

    ComponentResult result;
    const double* solution = Cbc_getColSolution(model);
    int covered = 0;
    if (solution != nullptr) {
        for (int i = 0; i < count; ++i) {
            if (solution[i] > 0.5) {
                covered += kFootprints[static_cast<std::size_t>(columns[static_cast<std::size_t>(i)].footprint)].Area();
                result.layout.push_back(columns[static_cast<std::size_t>(i)]);
            }
        }
    }
    result.uncovered = n - covered;
    // Cells are covered in pairs: the bound keeps the parity of the count.
    const int bestPossible = static_cast<int>(std::floor(Cbc_getBestPossibleObjValue(model) + 1e-6));
    int bound = std::max(component.colourBound, n - std::min(bestPossible, n));
    if ((bound - n) % 2 != 0)
        ++bound;
    result.bound = Cbc_isProvenOptimal(model) ? result.uncovered : std::min(bound, result.uncovered);
    Cbc_deleteModel(model);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: ql_exact_layout MAP.qlm [SECONDS [BEST.qlm]]\n";
        return 2;
    }
    const auto soil = layout_maps::ReadSoil(argv[1]);
    if (!soil) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    const double seconds = argc >= 3 ? std::stod(argv[2]) : 600.0;
    const auto start = std::chrono::steady_clock::now();
    const PackingRegion region(*soil);
    int uncovered = region.DeadCells(), bound = region.DeadCells();
    std::vector<Placement> layout;
    for (const auto& component : region.Components()) {
        const ComponentResult r = Solve(region, component, seconds);
        uncovered += r.uncovered;
        bound += r.bound;
        layout.insert(layout.end(), r.layout.begin(), r.layout.end());
    }
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "region=" << region.RegionCells() << " uncovered=" << uncovered << " bound=" << bound
              << " proven=" << (uncovered == bound ? "yes" : "no") << " seconds=" << took << "\n";
    if (argc == 4) {
        Scene scene(MsgCenter::Instance());
        for (int cell = 0; cell < GridCells; ++cell) {
            if ((*soil)[static_cast<std::size_t>(cell)])
                scene.LoadCell(CellX(cell), CellY(cell), CellSoil);
        }
        for (const Placement& p : layout)
            scene.PlaceBuild(p.X(), p.Y(), p.Shape().w, p.Shape().h, DefaultColour, "");
        if (!MapFileWriter::WriteFile(argv[3], scene))
            return 1;
    }
    return 0;
}
