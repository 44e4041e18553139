#pragma once
// Block sections as stored on pieces: reading and writing a piece's section,
// the section a new piece inherits, and the flood that re-numbers a run of
// pieces between boundaries.
#include <cstdint>
#include <vector>

namespace tetsuro::Rail {

// Section of reference r's piece; -1 for none or an invalid reference.
int32_t getHS(int32_t r);
// Sets a piece's section (-1 or a valid section). A section left without
// pieces is freed. False for an invalid piece or section.
bool setHS(int32_t n, int32_t v);
// Counts every change of a piece's section, so that operations can tell
// whether trains must re-establish what they hold.
uint64_t sectionEpoch();

// The section a new piece n joins: its To-end neighbour's, else its From-end
// neighbour's (junction and dead ends and platform pieces give none); when
// both count, the From side's section is first joined into the To side's.
// -1 when none.
int32_t getHeisoku(int32_t n);
// Every piece of section f goes to t; f is freed. A train holding f moves
// to t when t is free of trains; otherwise trains are told to re-establish.
void changeHeisoku(int32_t f, int32_t t);
void mergeHeisoku(int32_t f, int32_t t);
// Floods section t from piece f, walking away from piece o (or both ways in
// the two-argument form). The walk stops at dead ends and junctions
// (searchNext), at points with a marker, and at pieces already visited.
void changeHeisokuOne(int32_t f, int32_t t, int32_t o);
void changeHeisokuOne(int32_t f, int32_t t);
// Floods section t from reference r's piece and on past r's end.
void floodFrom(int32_t r, int32_t t);
// The pieces of section n in descending number, each as the plain reference
// when a signal stands at its From end and then as the reversed reference
// when one stands at its To end.
std::vector<int32_t> getHeisokuBoth(int32_t n);

}  // namespace tetsuro::Rail
