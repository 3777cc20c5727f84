// Shared helpers for the headless tests: scripted keys, recorded sounds, and a
// world built from a map written by the test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/sound_recorder.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

// Builds a map from rows of cells written two characters each, e.g. ".1. .*".
// Every row must have the same number of characters; each gets its "\n".
inline std::string mapText(const std::vector<std::string>& rows) {
    std::string s;
    for (const auto& r : rows) s += r + "\n";
    return s;
}

// A fixture that owns the keys, the sound sink and the world of a test.
class WorldTest : public ::testing::Test {
protected:
    ScriptedKeys keys;
    SoundRecorder sounds;

    void SetUp() override {
        errorPopups = false;
        setKeySource(&keys);
        setSoundSink(&sounds);
    }
    void TearDown() override {
        releaseWorld();
        setKeySource(nullptr);
        setSoundSink(nullptr);
    }
    // Reads the map and fails the test when it does not load.
    void load(const std::vector<std::string>& rows) {
        MapLoadResult r = readMapFromBytes(mapText(rows), "test.map");
        ASSERT_TRUE(r.ok) << r.message;
    }
};
