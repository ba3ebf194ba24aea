#pragma once

// Recordings: the text file that -record writes and -replay and vl_replay
// read (described in docs/replays.md), and the records it is made of. The
// same records, kept in memory, are the history that step back goes through.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/input_event.h"
#include "scene/sim_controls.h"

constexpr const char* kReplayMagic = "VLREPLAY";
constexpr int kReplayVersion = 1;

// A checkpoint follows every this many steps.
constexpr long kCheckpointInterval = 100;

// Limits past which a file is not one this program wrote.
constexpr long kReplayMaxBytes = 32L * 1024 * 1024;
constexpr int kReplayMaxLineLength = 400;
constexpr long kReplayMaxClockReads = 1000000;  // in one run of equal readings
constexpr long kReplayMaxStep = 1000000000;
constexpr double kReplayMaxDragTarget = 1e6;  // any coordinate of a drag target

enum class RecordKind : unsigned char {
    Controls,    // the controls as they stand before the next action (index into the controls table)
    Event,       // an input, acting before step `step`
    Clock,       // the next action reads the clock `count` times: the last reading plus `delta`
    Ray,         // the next action's next pick ray (direction bits; its status in event.a)
    Step,        // step `step` runs
    Checkpoint,  // the state hash after step `step`
    Back,        // the session went back to the state after step `step`
    End,         // the session ended after step `step`, state hash
    Drag,        // ball event.a held towards the point in value[] (x, y, z bits) before step `step`; -1 lets go
    Edit,        // ball event.a's position (event.b 0) or velocity (1) set to value[] (x, y, z bits) before step `step`
};

struct JournalRecord {
    RecordKind kind = RecordKind::Step;
    long step = 0;
    InputEvent event;           // Event
    long long value[3] = {};    // Clock: delta, count; Ray: x, y, z bits; Checkpoint, End: hash; Controls: index
};

// Options of the recorded run.
struct ReplayHeader {
    unsigned int seed = 0;
    int ballCount = 5;
    int ballRadius = 20;
};

// A whole recording in memory, gone back over where it went back ("Back"
// records are applied while reading: the steps they undid are dropped).
struct Recording {
    ReplayHeader header;
    std::vector<JournalRecord> records;
    std::vector<SimControls> controls;
    long steps = 0;       // the last step
    bool ended = false;   // closed by an End record (else it stops at a checkpoint)
};

// Reads and checks a whole file. On any doubt returns false with one line
// (no newline) in `error` and leaves `out` empty.
bool readReplayFile(const char* path, Recording& out, std::string& error);
bool parseReplayText(const char* data, std::size_t size, Recording& out, std::string& error);

// The text of the first two lines, and of one record (each with its newline).
std::string formatReplayHeader(const ReplayHeader& header);
std::string formatRecord(const JournalRecord& record, const SimControls* controls);

// Helpers for building records.
JournalRecord eventRecord(long step, const InputEvent& event);
JournalRecord rayRecord(long step, const Vector3& ray);
Vector3 rayOf(const JournalRecord& record);
// Ball `ball` held towards `target` (-1: let go, the target unused).
JournalRecord dragRecord(long step, int ball, const Vector3& target);
Vector3 dragTargetOf(const JournalRecord& record);
// Ball `ball`'s position or velocity set to `value`.
enum class EditedField { Position = 0, Velocity = 1 };
JournalRecord editRecord(long step, int ball, EditedField field, const Vector3& value);
EditedField editedFieldOf(const JournalRecord& record);
Vector3 editValueOf(const JournalRecord& record);
// Whether a recording may hold `target`: every coordinate within
// kReplayMaxDragTarget (false for a NaN).
bool dragTargetFits(const Vector3& target);
