#pragma once
// The rail core as a whole: emptying every store, and bringing them back
// in step after a load replaced their saved arrays.
namespace tetsuro::RailCore {

// Every store empty (pieces, sections, markers, signals, switches; the
// switch limit back to 4096).
void reset();
// After a load replaced the saved arrays of all five stores: references to
// missing sections and signals are dropped, a signal owned twice keeps its
// first owner, signals nobody owns are freed, sections nobody uses are freed,
// pieces without a section get one, and every index and cache is rebuilt.
void afterLoad();

}  // namespace tetsuro::RailCore
