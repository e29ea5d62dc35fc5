#include "scene/Scene.h"

#include "scene/BuildName.h"
#include "search/SearchControl.h"
#include "search/SearchDriver.h"

#include <algorithm>

Scene::Scene(MsgCenter& center, DemoScan scan)
    : center_(center), ownRunner_(std::make_unique<SearchDriver>(center, SearchControl::Instance())),
      runner_(ownRunner_.get())
{
    if (scan == DemoScan::kProgramFolder)
        demos_.Rescan();
    RegisterHandlers();
}

void Scene::SetLayoutRunner(LayoutRunner* runner)
{
    runner_ = runner ? runner : ownRunner_.get();
}

Scene::~Scene()
{
    UnregisterHandlers();
}

bool Scene::RectAccepted(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h)
{
    return x >= 0 && y >= 0 && x < GridSize && y < GridSize && std::int64_t{x} + w < GridSize &&
           std::int64_t{y} + h < GridSize;
}

bool Scene::FillRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t value,
                     std::int32_t key)
{
    if (!RectAccepted(x, y, w, h))
        return false;
    for (std::int32_t i = x; i < x + w; ++i) {
        for (std::int32_t j = y; j < y + h; ++j) {
            std::int32_t& cell = cells_[Index(i, j)];
            if (key == CellAny || cell == key)
                cell = value;
        }
    }
    return true;
}

bool Scene::ReplaceRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t value,
                        std::int32_t k1, std::int32_t k2, std::int32_t k3, std::int32_t k4)
{
    if (!RectAccepted(x, y, w, h))
        return false;
    for (std::int32_t i = x; i < x + w; ++i) {
        for (std::int32_t j = y; j < y + h; ++j) {
            std::int32_t& cell = cells_[Index(i, j)];
            if (cell == k1 || cell == k2 || cell == k3 || cell == k4)
                cell = value;
        }
    }
    return true;
}

bool Scene::RectAll(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t key) const
{
    if (!RectAccepted(x, y, w, h))
        return false;
    for (std::int32_t i = x; i < x + w; ++i) {
        for (std::int32_t j = y; j < y + h; ++j) {
            if (cells_[Index(i, j)] != key)
                return false;
        }
    }
    return true;
}

bool Scene::RectAny(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t key) const
{
    if (!RectAccepted(x, y, w, h))
        return false;
    for (std::int32_t i = x; i < x + w; ++i) {
        for (std::int32_t j = y; j < y + h; ++j) {
            if (cells_[Index(i, j)] == key)
                return true;
        }
    }
    return false;
}

const Build* Scene::FindBuildAt(std::int32_t x, std::int32_t y) const
{
    for (const Build& b : builds_) {
        if (b.x <= x && x < std::int64_t{b.x} + b.w && b.y <= y && y < std::int64_t{b.y} + b.h)
            return &b;
    }
    return nullptr;
}

bool Scene::PlaceBuild(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, ColorRef colour,
                       const std::string& name)
{
    if (!RectAll(x, y, w, h, CellSoil))
        return false;
    FillRect(x, y, w, h, CellBuild, CellAny);
    builds_.push_back(Build{x, y, w, h, SanitizeBuildName(name), colour});
    return true;
}

void Scene::ReleaseFootprint(const Build& build)
{
    FillRect(build.x, build.y, build.w, build.h, CellSoil, CellAny);
}

bool Scene::RemoveBuild(std::int32_t x, std::int32_t y)
{
    const auto it = std::find_if(builds_.begin(), builds_.end(), [&](const Build& b) { return b.x == x && b.y == y; });
    if (it == builds_.end())
        return false;
    ReleaseFootprint(*it);
    builds_.erase(it);
    return true;
}

bool Scene::SetBuildName(std::int32_t x, std::int32_t y, const std::string& name)
{
    for (Build& b : builds_) {
        if (b.x == x && b.y == y) {
            b.name = SanitizeBuildName(name);
            return true;
        }
    }
    return false;
}

bool Scene::SetBuildColour(std::int32_t x, std::int32_t y, ColorRef colour)
{
    for (Build& b : builds_) {
        if (b.x == x && b.y == y) {
            b.colour = colour;
            return true;
        }
    }
    return false;
}

void Scene::InsertMark(const Mark& mark)
{
    marks_.push_back(mark);
}

bool Scene::EraseMark(const Mark& mark)
{
    const auto it = std::find(marks_.begin(), marks_.end(), mark);
    if (it == marks_.end())
        return false;
    marks_.erase(it);
    return true;
}

void Scene::ClearBuilds()
{
    for (const Build& b : builds_)
        ReleaseFootprint(b);
    builds_.clear();
}

void Scene::ClearMarks()
{
    marks_.clear();
}

void Scene::ClearAll()
{
    builds_.clear();
    marks_.clear();
    cells_.fill(CellBalk);
}

void Scene::AppendLoadedBuild(Build build)
{
    builds_.push_back(std::move(build));
}
