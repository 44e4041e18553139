#include "world/event_log.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "game/game_clock.h"
#include "support/os_file.h"
#include "trains/platform_store.h"
#include "trains/station_store.h"
#include "trains/train_store.h"

namespace tetsuro {

const char* eventKindName(RunEvent::Kind k) {
    switch (k) {
        case RunEvent::Kind::Arrive: return "arrive";
        case RunEvent::Kind::Depart: return "depart";
        case RunEvent::Kind::Off: return "off";
    }
    return "?";
}

std::string clockText(int64_t clock) {
    const GameDateTime t = clockToDateTime(clock);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d %02d:%02d:%02d", (long long)t.year, t.month + 1, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

std::string eventJsonLine(const RunEvent& e) {
    // Insertion order, so that every line reads alike: when, what, who, where.
    nlohmann::ordered_json j;
    j["tick"] = e.clock;
    j["time"] = clockText(e.clock);
    j["event"] = eventKindName(e.kind);
    j["train"] = e.train;
    j["train_name"] = e.trainName;
    if (e.kind != RunEvent::Kind::Off) {
        j["station"] = e.station;
        j["station_name"] = e.stationName;
        j["platform"] = e.platform;
        j["platform_record"] = e.platformRecord;
    }
    // A name the decoder could not make whole must not cost the line.
    return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void EventLog::record(RunEvent::Kind kind, int32_t ti, int32_t fi, int64_t clock) {
    RunEvent e;
    e.kind = kind;
    e.clock = clock;
    if (Train::isValid(ti)) {
        e.train = Train::m_n[size_t(ti)];
        e.trainName = Train::getName(ti).toUtf8();
    }
    if (kind != RunEvent::Kind::Off && Form::isValid(fi)) {
        e.platformRecord = fi;
        e.platform = Form::m_no[size_t(fi)];
        const int32_t si = Form::getSt(fi);
        if (Station::isValid(si)) {
            e.station = si;
            e.stationName = Station::getName(si).toUtf8();
        }
    }
    TrainEventCounts& c = m_counts[e.train];
    switch (kind) {
        case RunEvent::Kind::Arrive: ++c.arrivals; break;
        case RunEvent::Kind::Depart: ++c.departures; break;
        case RunEvent::Kind::Off: ++c.takenOff; break;
    }
    ++m_events;
    if (m_sink) m_sink(e);
}

void EventLog::arrived(int32_t ti, int32_t fi, int64_t clock) {
    record(RunEvent::Kind::Arrive, ti, fi, clock);
    if (m_inner) m_inner->arrived(ti, fi, clock);
}

void EventLog::departed(int32_t ti, int32_t fi, int64_t clock) {
    record(RunEvent::Kind::Depart, ti, fi, clock);
    if (m_inner) m_inner->departed(ti, fi, clock);
}

void EventLog::takenOff(int32_t ti, int64_t clock) {
    // Recorded before the inner hooks run: the train is still on the track
    // and still has its name.
    record(RunEvent::Kind::Off, ti, -1, clock);
    if (m_inner) m_inner->takenOff(ti, clock);
}

void EventLog::alight(int32_t ti, int32_t fi) {
    if (m_inner) m_inner->alight(ti, fi);
}

void EventLog::board(int32_t ti, int32_t fi) {
    if (m_inner) m_inner->board(ti, fi);
}

void EventLog::travellersAdvance(int64_t ticks) {
    if (m_inner) m_inner->travellersAdvance(ticks);
}

void EventLog::selectTrain(int32_t ti) {
    if (m_inner) m_inner->selectTrain(ti);
}

void EventLog::headOnPlatform(int32_t ti, int32_t fi) {
    if (m_inner) m_inner->headOnPlatform(ti, fi);
}

TrainEventCounts EventLog::countsOf(int32_t trainNumber) const {
    auto it = m_counts.find(trainNumber);
    return it == m_counts.end() ? TrainEventCounts{} : it->second;
}

EventFile::EventFile(const std::string& path) {
    // The rename at the end would fail on a folder; say so before the run.
    if (os::kindOf(path) == os::Kind::Folder) {
        m_error = path + " is a folder";
        return;
    }
    m_writer = std::make_unique<AtomicFileWriter>(path);
}

std::string EventFile::error() const {
    if (!m_error.empty()) return m_error;
    return m_writer ? m_writer->error() : std::string();
}

void EventFile::write(const RunEvent& e) {
    if (!ok()) return;
    std::string line = eventJsonLine(e);
    line += '\n';
    if (m_writer->write(line.data(), line.size())) ++m_lines;
}

bool EventFile::commit() {
    if (!m_writer) return false;
    const CommitResult r = m_writer->commit();
    if (!r && m_error.empty()) m_error = r.reason;
    return bool(r);
}

void EventFile::abandon() {
    if (m_writer) m_writer->abandon();
}

}  // namespace tetsuro
