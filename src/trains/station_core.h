#pragma once
// The station stores as a whole: emptying them for a new game, and bringing
// the derived data back after a load replaced the saved arrays.
namespace tetsuro::StationCore {

// Stations, buildings, platforms, pieces, the mesh index and the lookups
// all empty.
void reset();
// After a load (the rail core first): the saved arrays made consistent,
// pieces put on the rails under them, the platform ends renewed and the
// mesh index rebuilt.
void afterLoad();

}  // namespace tetsuro::StationCore
