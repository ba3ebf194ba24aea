#pragma once

// The session: every input and every simulating step passes through here.
// It keeps a log of inputs, one group of records per step: the controls
// when they changed, keys, buttons, pointer, drags, the clock readings and
// pick rays the step and the inputs before it took, the window size, then
// the step. The log is the one source of truth: the simulation at step n is
// the nearest cached snapshot and the logged steps up to n taken again.
// Step back (B), jumps, branches, -record (the log written as it grows) and
// -replay (a file's log played instead of live input) are operations on it.
// Nothing of this changes what a step computes: the live clock and pick
// rays are only logged on the way.

#include <cstdint>
#include <string>

#include "input/input_event.h"
#include "input/replay_file.h"
#include "effects/view_state.h"
#include "physics/step_events.h"

// Steps the history reaches back at least, and how often it keeps a snapshot.
constexpr long kHistorySteps = 1200;
constexpr long kSnapshotInterval = 100;

// Starts a live session on the scene as start-up laid it out: empty
// log, step count 0, a snapshot of the start. Live actions read the
// installed clock and pick-ray source (scene/readings.h).
void startSession();

// Also writes the log to `path`, with the options in `header`: first to
// "<path>.part", which replaces `path` at the first checkpoint after step 0
// (or at the end of a shorter session) if everything up to it was written.
// False with a reason when `path` is a folder or not a regular file, or the
// part file cannot be created or its header written.
bool startRecording(const char* path, const ReplayHeader& header, std::string& error);
// The same in two halves, so that a file that cannot be written stops the
// program before its window opens: the file is created now, and the next
// startSession starts writing it.
bool openRecording(const char* path, const ReplayHeader& header, std::string& error);

// Plays `recording` instead of live input (after startSession, on a scene
// laid out with its options). Live input that would change the simulation
// is ignored until the recording is over. The verdict goes to the corner;
// with OnStandardError (the window's -replay) a checkpoint that does not
// match, and the end, are printed on standard error too.
enum class ReplayReport { Quietly, OnStandardError };
void startReplay(const Recording& recording, ReplayReport report);

// The one way in for input: applies it live, keeps it in the log, or
// ignores it while a recording plays.
void deliverInput(const InputEvent& event);

// Holds ball `ball` towards `target` from the next step on (-1 lets go):
// simulation input like a key, logged as a drag record. A new target
// for the same ball before any step ran replaces the last one.
void deliverDrag(int ball, const Vector3& target);

// Sets ball `ball`'s position and/or velocity (nullptr: kept) at once,
// also while paused: simulation input like a key, logged in the group of
// the coming step, replayed to the bit and undone by B. Refused, with the
// reason in `why` (may be nullptr) and in the corner, when a recording
// plays, the ball is not there, a value is not finite, the position is
// outside the room or inside an obstacle or another ball (touching is
// fine), or the speed is above kMaxEditSpeed; then nothing changes. A
// stepped-back scene goes on live from here, as after other input.
bool deliverBallEdit(int ball, const Vector3* position, const Vector3* velocity, std::string* why);

// The pointer moved a held ball to `target`: the hold's new target, and
// while paused the ball placed there at once with zero velocity (an edit as
// above). False when that placing was refused; the hold still moves.
bool deliverDragMove(int ball, const Vector3& target, std::string* why);

// O: while paused, one more step for the coming idle turns to run. Asked
// for while running, or still waiting when the simulation runs again, it
// is dropped.
void requestSingleStep();

// What the idle callback does after pacing: a step held by the pause, a
// step taken again from the log, or a new live step. Returns what the
// caller is to do outside: cues to play, clip plane, redisplay.
StepEvents sessionStep();

// B: while paused, the scene as it was one step earlier, or, when balls
// were edited since the last step, as that step left it (all its edits
// undone at once; O or P takes them again, new input drops them). False when it
// cannot go back (running, or at the start of the history). The steps taken
// again on the way leave their window requests in `events`, without cues.
bool stepBack(StepEvents& events);
inline bool stepBack() {
    StepEvents ignored;
    return stepBack(ignored);
}

// Page Up / Page Down, and B and O held: while paused, the scene as it was
// after step `target`, clamped to what is kept: back to the oldest
// snapshot (a replay keeps its start), forward to the end of the log
// (the steps already run before going back, or the replay's end). Steps
// taken on the way make no sound; going forward, a replay still checks its
// checkpoints. False when the scene did not move (running, or already
// there).
bool jumpToStep(long target, StepEvents& events);
long sessionStepNumber();

// F1 / F2 while a replay plays: how many of the paced step slots run a
// replayed step, as a power of two from 1/8 to 8 (-3 .. 3). What a step
// computes does not change, only how many run each second.
void changeReplaySpeed(int by);
// How many session steps the idle call that has just paced is to run: 1,
// but while a replay plays unpaused 2, 4 or 8 faster, or 0 in all but one
// of 2, 4 or 8 calls slower.
int sessionStepsThisTurn();

// Escape, or the window closed: the recording gets its end record and is
// written out. False when the recording failed, now or earlier (a write
// that failed stops the recording, says why on standard error and in the
// corner, and the session goes on unrecorded): the program's exit status.
bool endSession();

// Plays the rest of a replay at once (vl_replay): stops at the first
// checkpoint that does not match.
struct ReplayOutcome {
    bool matches = true;
    long steps = 0;            // steps run
    long divergedAt = -1;      // the step whose checkpoint differed
    std::uint64_t expected = 0;
    std::uint64_t got = 0;     // or the final state hash when it matches
};
ReplayOutcome playReplayToEnd();

// How many log bytes and snapshots the history holds now (benchmarks, tests).
long sessionMemoryBytes();

// Drops every cached snapshot but the oldest, which the log starts from:
// states are made again from it and the log when they are wanted.
void dropSnapshotCache();

// The figures of the steps the session ran, for the lab's plots and
// timeline: every simulating step (live, taken again, replayed) writes its
// entry with the marks of its group of records; a branch drops the steps
// after it. Read only; not part of the snapshots.
class LabHistory;
const LabHistory& sessionLabHistory();

// The replay's file, for the replay indicator (its folders are left out).
void nameSessionReplay(const char* path);

// What a frame of the current step shows: the simulation's look with the
// trail, pulse and contact lists the steps so far have made. Reads only, so
// any number of frames of one step show the same.
FrameLook sessionLook();
