// Checks an events file of tetsuro-cli simulate against the report of the
// same run: every line a JSON object of the documented shape, the lines in
// time order, and per train as many arrivals, departures and takings off as
// the report counts. Exit 0 when all holds, else 1 with the first fault.
#include <cstdio>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace {

using nlohmann::json;

int fault(const std::string& what) {
    std::fprintf(stderr, "jsonl_check: %s\n", what.c_str());
    return 1;
}

bool isInt(const json& o, const char* k) { return o.contains(k) && o[k].is_number_integer(); }
bool isText(const json& o, const char* k) { return o.contains(k) && o[k].is_string(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return fault("usage: jsonl_check EVENTS.jsonl REPORT.json");
    std::ifstream events(argv[1], std::ios::binary), report(argv[2], std::ios::binary);
    if (!events || !report) return fault("cannot read the files");
    std::stringstream all;
    all << events.rdbuf();
    const std::string text = all.str();
    if (!text.empty() && text.back() != '\n') return fault("the last line has no line end");

    std::map<int64_t, std::map<std::string, int64_t>> seen;
    int64_t lastTick = INT64_MIN;
    std::istringstream lines(text);
    std::string line;
    for (int n = 1; std::getline(lines, line); ++n) {
        const std::string at = "line " + std::to_string(n) + ": ";
        const json e = json::parse(line, nullptr, false);
        if (e.is_discarded() || !e.is_object()) return fault(at + "not a JSON object: " + line);
        if (!isInt(e, "tick") || !isText(e, "time") || e["time"].get<std::string>().size() != 19 ||
            !isText(e, "event") || !isInt(e, "train") || !isText(e, "train_name"))
            return fault(at + "missing or malformed tick, time, event, train or train_name");
        const std::string kind = e["event"];
        if (kind != "arrive" && kind != "depart" && kind != "off") return fault(at + "unknown event " + kind);
        if (kind != "off" && (!isInt(e, "station") || !isText(e, "station_name") || !isInt(e, "platform") ||
                              !isInt(e, "platform_record")))
            return fault(at + "an arrival or departure without its station and platform");
        const int64_t tick = e["tick"];
        if (tick < lastTick) return fault(at + "out of time order");
        lastTick = tick;
        ++seen[e["train"].get<int64_t>()][kind];
    }

    const json r = json::parse(report, nullptr, false);
    if (r.is_discarded() || !r.contains("trains") || !r["trains"].is_array()) return fault("report without trains");
    for (const json& t : r["trains"]) {
        auto& s = seen[t.at("number").get<int64_t>()];
        const int64_t counts[3][2] = {{t.at("arrivals"), s["arrive"]},
                                      {t.at("departures"), s["depart"]},
                                      {t.at("taken_off"), s["off"]}};
        for (const auto& c : counts)
            if (c[0] != c[1])
                return fault("train " + t["number"].dump() + ": the report counts " + std::to_string(c[0]) +
                             ", the file has " + std::to_string(c[1]));
        seen.erase(t["number"].get<int64_t>());
    }
    if (!seen.empty()) return fault("events of train " + std::to_string(seen.begin()->first) + ", not in the report");
    return 0;
}
