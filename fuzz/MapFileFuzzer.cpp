// Maps: whatever is read must write a file that reads back to the same map.
#include "msg/MsgCenter.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// Reads `text` into a fresh scene; the written scene, or nothing when refused.
bool ReadAndWrite(const std::string& text, std::string& written, std::string& errors)
{
    Scene scene(MsgCenter::Instance(), Scene::DemoScan::kNone);
    std::istringstream in(text);
    if (!MapFileReader::Read(in, errors, scene))
        return false;
    std::ostringstream out;
    MapFileWriter::Write(out, scene);
    written = out.str();
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string first, second, errors;
    if (!ReadAndWrite(std::string(reinterpret_cast<const char*>(data), size), first, errors))
        return 0;
    errors.clear();
    if (!ReadAndWrite(first, second, errors) || !errors.empty() || second != first)
        __builtin_trap();
    return 0;
}
