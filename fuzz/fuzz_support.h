#pragma once
// Shared by the fuzz targets: each runs in a scratch folder of its own, so
// the files a parser or a save touches never collide with anything, and the
// log goes nowhere (a campaign would otherwise fill the disk with it).
#include <string>

// Starts Allegro without a display and moves into the scratch folder.
// Called once, from LLVMFuzzerInitialize.
void startFuzzing();

// Ends the run as a crash, so libFuzzer keeps the input, when an invariant
// of the parser does not hold.
void require(bool condition, const char* what);

// The input as text.
std::string textOf(const unsigned char* data, size_t size);
