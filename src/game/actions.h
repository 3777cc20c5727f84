// What a cow does beyond walking: jump, headbutt, contact with the rival,
// effects, and the hay game.
#pragma once

#include "world/records.h"

void jumpStep(Cow& cow);
void dashStep(Cow& cow);
// The touch behaviour of both cows: toucher runs into its rival.
void cowContact(Cow* toucher, int column, int row);
void injectHeldEffect(Cow& cow);
void knockOver(Cow& cow);
void slowEffect(Cow* target, int column, int row);
void growCow(Cow& cow);
void shrinkBack(Cow& cow);
void depositHay(Cow& cow);

// Open square of side 4 around the home cell's corner, strict on every side.
bool inHomeArea(const Cow& home, float x, float y);
