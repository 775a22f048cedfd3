#pragma once

class Player;

// How creatures touch the fish. Every hazard hurts the living player when
// he comes closer than its radius; a few measure from his head while he
// hops on land.

// The player when there is one and he is alive; null otherwise.
Player* livingPlayer();
// Squared distance from (x, y) to the living player, measured from 40 px
// above his centre in hop mode when fromHopHead is set; -1 without one.
float playerDistanceSq(float x, float y, bool fromHopHead = false);
// Hurts the living player closer than radius px to (x, y); true when it did.
bool hurtPlayerWithin(float x, float y, float radius, bool fromHopHead = false);
