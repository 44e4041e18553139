#pragma once
// Project-wide decisions of the support layer. Every later folder follows them.
//
// Namespaces
//   All code lives in namespace tetsuro. The static utility "classes" of the
//   support layer (VelJLib, VelL) are namespaces, so that their text, array,
//   packing and geometry halves can live in separate files with one job each;
//   callers still write VelJLib::split(...), VelL::isZen(...).
//
// Arrays
//   Arrays are std::vector<T> held by value. "Null" is the empty vector;
//   std::optional<std::vector<T>> is used only where a caller can observe the
//   difference between null and empty (the few functions that say so).
//   Object tables are struct-of-arrays of std::vector with record numbers,
//   -1 meaning none.
//
// Text
//   Game text is J_String: a value type over std::vector<int8_t> holding
//   Shift-JIS (code page 932) bytes; the logical text ends at the first zero
//   byte. getBytes() gives a const view; mutableBytes() the writable one.
//   Source literals are UTF-8 and become game text through SJ(u8"...") (a
//   cached converter). Stored text is never round-tripped through Unicode:
//   398 double-byte codes of CP932 do not survive it. Conversion happens only
//   for display and for player input. File paths stay UTF-8 bytes.
//
// Errors
//   Failures between subsystems are return values (-1 none or full, false).
//   Only file and stream reading throws: IOException, with EOFException and
//   FileNotFoundException derived from it, so an input/output handler also
//   catches the end of a file. Number parsing throws NumberFormatException,
//   which the readers of resource files catch.
//
// Integers
//   Products of coordinates, money and tick counts are 64-bit. Counters stored
//   narrower saturate. Where negatives can appear, use floorDiv/floorMod.
//   The build uses -fwrapv as a safety net only: do not rely on wrapping.
//
// Files
//   Every file the program writes goes through AtomicFileWriter (temporary
//   file in the same folder, checked writes, fsync, rename, optional .bak).
//   "resource:///" names map to the resource folder and scratch-pad names to
//   files in the data folder; both folders are settings (Connector).
