#pragma once
#include <string>

class Actor;
class Treasure;

// Makes the actor a level cell names: its datafile, with a variant after a
// colon where the loader picks one ("spikes.dat:hanging",
// "sentinel.dat:left", "crate.dat:explosive"). Null for a kind the game
// does not have; the caller owns the result.
Actor* makeLevelActor(const std::string& kind);

// Gives a clam made by makeLevelActor the pearl it guards.
void attachPearl(Actor* clam, Treasure* pearl);
