#pragma once
// The event log of a run: every arrival at a platform, every departure and
// every train taken off the track, in the order they happen, with the train's
// and the station's names as they were at that moment. It sits between the
// runner and the hooks the rest of the game gives it: every call is passed on
// to an inner set of hooks, so travellers and panels can be chained behind it.
//
// The events file holds one JSON object per line (docs/world-files.md).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "support/atomic_file.h"
#include "trains/train_running.h"

namespace tetsuro {

struct RunEvent {
    enum class Kind : uint8_t { Arrive, Depart, Off };
    Kind kind = Kind::Arrive;
    int64_t clock = 0;            // LA_CLOCK when it happened
    int32_t train = -1;           // the train's number (its row in the train list)
    std::string trainName;        // UTF-8
    // Arrivals and departures only; -1 and empty for a train taken off.
    int32_t station = -1;
    std::string stationName;      // UTF-8
    int32_t platform = -1;        // the platform's number at its station
    int32_t platformRecord = -1;  // fi
};

const char* eventKindName(RunEvent::Kind k);
// The event's line of the events file, without the line end.
std::string eventJsonLine(const RunEvent& e);
// "YYYY-MM-DD hh:mm:ss" of a clock (the fraction of a second dropped).
std::string clockText(int64_t clock);

struct TrainEventCounts {
    int64_t arrivals = 0;
    int64_t departures = 0;
    int64_t takenOff = 0;
};

class EventLog : public RunningHooks {
public:
    explicit EventLog(RunningHooks* inner = nullptr) : m_inner(inner) {}

    // Null: the events go nowhere else.
    void setInner(RunningHooks* inner) { m_inner = inner; }
    // Called with every event as it is recorded (empty: only counted).
    void setSink(std::function<void(const RunEvent&)> sink) { m_sink = std::move(sink); }

    void arrived(int32_t ti, int32_t fi, int64_t clock) override;
    void departed(int32_t ti, int32_t fi, int64_t clock) override;
    void takenOff(int32_t ti, int64_t clock) override;
    void alight(int32_t ti, int32_t fi) override;
    void board(int32_t ti, int32_t fi) override;
    void travellersAdvance(int64_t ticks) override;
    void selectTrain(int32_t ti) override;
    void headOnPlatform(int32_t ti, int32_t fi) override;

    int64_t eventCount() const { return m_events; }
    // By train number, ascending; trains without events are missing.
    const std::map<int32_t, TrainEventCounts>& counts() const { return m_counts; }
    TrainEventCounts countsOf(int32_t trainNumber) const;

private:
    void record(RunEvent::Kind kind, int32_t ti, int32_t fi, int64_t clock);

    RunningHooks* m_inner = nullptr;
    std::function<void(const RunEvent&)> m_sink;
    std::map<int32_t, TrainEventCounts> m_counts;
    int64_t m_events = 0;
};

// The events file. Lines stream into a temporary file beside the target,
// which takes the target's place only at commit: a run that fails or is
// abandoned leaves no file and leaves an older file untouched.
class EventFile {
public:
    // A target that is a folder, or whose folder cannot take the temporary
    // file, fails here already, before any run.
    explicit EventFile(const std::string& path);

    bool ok() const { return m_error.empty() && m_writer && m_writer->ok(); }
    // Why it failed, naming the file.
    std::string error() const;

    void write(const RunEvent& e);
    // False (see error()) when anything failed; the target is then untouched.
    bool commit();
    // Drops what was written; the target is untouched.
    void abandon();

    int64_t lines() const { return m_lines; }

private:
    std::unique_ptr<AtomicFileWriter> m_writer;
    std::string m_error;
    int64_t m_lines = 0;
};

}  // namespace tetsuro
