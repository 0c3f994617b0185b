#include "core/targets/target_files.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "core/targets/messier_list.h"
#include "core/targets/mpc_elements.h"
#include "core/targets/target_csv.h"

namespace velmarin {

namespace {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

}  // namespace

Expected<std::vector<Target>> LoadTargets(const TargetSources& sources) {
    std::vector<Target> targets;
    for (const std::string& list : sources.lists) {
        if (list == kMessierListName) {
            for (FixedTarget& t : MessierTargets()) targets.emplace_back(std::move(t));
            continue;
        }
        const std::optional<std::string> text = ReadWholeFile(list);
        if (!text) return list + ": cannot read";
        auto read = ReadTargetsCsv(*text, list);
        if (!read) return read.error();
        for (FixedTarget& t : *read) targets.emplace_back(std::move(t));
    }
    for (const std::string& file : sources.elements) {
        const std::optional<std::string> text = ReadWholeFile(file);
        if (!text) return file + ": cannot read";
        auto read = ReadMpcElements(*text, file);
        if (!read) return read.error();
        for (OrbitTarget& t : *read) targets.emplace_back(std::move(t));
    }
    return targets;
}

}  // namespace velmarin
