// tetsuro-cli info: what this build would use: its version, its folders and,
// with --catalogue, the rolling stock on offer with prices.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_args.h"
#include "commands.h"
#include "support/connector.h"
#include "tetsuro_version.h"
#include "trains/train_spec.h"

namespace tetsuro::cli {

namespace {

const char kUsage[] =
    "Usage: tetsuro-cli info [--catalogue] [--json] [--resource-dir DIR]\n"
    "\n"
    "Prints the version and the resource and data folders. With --catalogue it\n"
    "loads the rolling-stock catalogue as the game does at start-up and lists\n"
    "every type: speed (km/h), acceleration and braking (speed units per tick\n"
    "at time scale 1/1), car models, car length (dm), price of one car, default\n"
    "colour and folder. Exits with 1 when the catalogue did not load whole.\n"
    "\n"
    "  --catalogue         list the rolling-stock types\n"
    "  --json              print one JSON object instead of text\n"
    "  --resource-dir DIR  read resources from DIR (default: 'resource' next to\n"
    "                      the program)\n";

std::string hexColour(int32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", unsigned(c) & 0xFFFFFFu);
    return buf;
}

nlohmann::json typeJson(int32_t i) {
    return nlohmann::json{{"index", i},
                          {"name", TrainSpec::getName(i).toUtf8()},
                          {"speed", TrainSpec::getSpeed(i)},
                          {"acceleration", TrainSpec::getAcceleration(i)},
                          {"braking", TrainSpec::getBreaking(i)},
                          {"models", TrainSpec::getMiddle(i)},
                          {"length", TrainSpec::getLength(i)},
                          {"price", TrainSpec::getPrice(i)},
                          {"color", hexColour(TrainSpec::getColor(i))},
                          {"folder", TrainSpec::s_o[size_t(i)].m_dir.toUtf8()}};
}

void printCatalogueText() {
    std::printf("rolling stock: %d types\n", TrainSpec::size());
    std::printf("  %3s %5s %5s %5s %6s %6s %12s %7s  %-12s %s\n", "#", "km/h", "accel", "brake", "models", "length",
                "price/car", "colour", "folder", "name");
    for (int32_t i = 0; i < TrainSpec::size(); ++i) {
        std::printf("  %3d %5d %5d %5d %6d %6d %12lld %7s  %-12s %s\n", i, TrainSpec::getSpeed(i),
                    TrainSpec::getAcceleration(i), TrainSpec::getBreaking(i), TrainSpec::getMiddle(i),
                    TrainSpec::getLength(i), static_cast<long long>(TrainSpec::getPrice(i)),
                    hexColour(TrainSpec::getColor(i)).c_str(), TrainSpec::s_o[size_t(i)].m_dir.toUtf8().c_str(),
                    TrainSpec::getName(i).toUtf8().c_str());
    }
}

int runInfo(std::span<const char* const> args) {
    ArgReader r("info", args);
    bool catalogue = false, json = false;
    std::string resourceDir;
    while (!r.done()) {
        std::string_view a = r.next();
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--catalogue") {
            catalogue = true;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--resource-dir") {
            if (!r.value(a, resourceDir)) return 2;
        } else {
            r.error("unknown option '" + std::string(a) + "' (try --help)");
            return 2;
        }
    }
    if (!resourceDir.empty()) Connector::setResourceDir(resourceDir);

    nlohmann::json out{{"version", TETSURO_VERSION},
                       {"resource_dir", Connector::resourceDir()},
                       {"data_dir", Connector::dataDir()}};
    std::vector<std::string> problems;
    if (catalogue) {
        TrainSpec::setReporter([&](const J_String& m) { problems.push_back(m.toUtf8()); });
        TrainSpec::load();
        TrainSpec::setReporter({});
        nlohmann::json types = nlohmann::json::array();
        for (int32_t i = 0; i < TrainSpec::size(); ++i) types.push_back(typeJson(i));
        out["catalogue"] = {{"complete", problems.empty()}, {"types", types}};
    }

    if (json) {
        std::printf("%s\n", out.dump().c_str());
    } else {
        std::printf("tetsuro %s\nresources: %s\ndata:      %s\n", TETSURO_VERSION, Connector::resourceDir().c_str(),
                    Connector::dataDir().c_str());
        if (catalogue) printCatalogueText();
    }
    for (const std::string& p : problems) {
        r.error(p + " (rolling stock under " + Connector::resolve("resource:///train/") + ")");
    }
    return problems.empty() ? 0 : 1;
}

}  // namespace

extern const Command kInfoCommand;
const Command kInfoCommand{"info", "show the version, folders and the rolling-stock catalogue", runInfo};

}  // namespace tetsuro::cli
