#include "app/session.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <limits>
#include <optional>
#include <vector>

#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "app/recording_file.h"
#include "effects/contact_log.h"
#include "effects/inspect_mode.h"
#include "effects/screenshot_notice.h"
#include "effects/view_state.h"
#include "input/key_codes.h"
#include "lab/lab_history.h"
#include "input/mouse_actions.h"
#include "physics/ball_drag.h"
#include "physics/ball_edit.h"
#include "physics/simulation_step.h"
#include "physics/state_hash.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "scene/sim_controls.h"

Simulation sim;
LiveView live;

namespace {

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

// The dead front of the log is dropped once it is at least this long.
constexpr std::size_t kTrimRecords = 4096;

// Why the log is flushed to the file: a checkpoint, or the session's end
// (which also gives the file its name when it has none yet).
enum class FlushAt { Checkpoint, End };

// How a logged action is taken: as the watcher sees it (sound, checks),
// again on the way back to a step (neither), or forward along the timeline
// without frames (checks, no sound).
enum class Taking { Watched, Again, Forward };

// A cached state: the simulation after `step`, where the log stood then,
// the last clock reading, and what the steps so far had made of the view.
// Any of them can be made again from an older one and the log.
struct Snapshot {
    long step = 0;
    std::size_t logIndex = 0;
    int lastClockReading = 0;
    Simulation state;
    StepView view;
    ContactHistory contacts;
};

// The log on its way to a file: whole checkpoints are written, what lies
// after the last one waits in `unwritten`.
struct RecordingOutput {
    RecordingFile file;
    bool failed = false;
    long savedStep = -1;  // the step the file holds the recording up to
    std::string unwritten;
    std::size_t lastLineStart = kNoLine;  // of the last record, while it is in `unwritten`
};

// A recording being played: the records before `fileEnd` came from it.
struct ReplayProgress {
    bool active = false;
    ReplayReport report = ReplayReport::Quietly;
    bool endAnnounced = false;
    long steps = 0;     // how many the file holds
    int speed = 0;      // F1 / F2: 2 to this power, -3 .. 3
    int slowTurn = 0;   // below normal pace: which of the 2, 4 or 8 turns runs a step
    ReplayOutcome outcome;
    std::string name;   // the file's, without its folders
};

class Session;

// The readings of a live action: the real clock and pick rays, logged as
// they are read, in the action's group of records.
class LoggingReadings final : public Readings {
public:
    explicit LoggingReadings(Session& session);
    int clock() override;
    Vector3 pickRay(int x, int y, const Vector3& ahead) override;

private:
    Session& session_;
    std::size_t actionStart_;
};

// The readings of a logged action: the clock runs and rays its group
// holds. Past them (a diverging replay) the clock stands and rays look
// along the view.
class LoggedReadings final : public Readings {
public:
    LoggedReadings(const std::vector<JournalRecord>& log, std::size_t from, std::size_t to, int& lastReading)
        : log_(log), clockAt_(from), rayAt_(from), to_(to), lastReading_(lastReading) {}

    int clock() override {
        if (readsLeft_ == 0) {
            clockAt_ = next(clockAt_, RecordKind::Clock);
            if (clockAt_ < to_) {
                const JournalRecord& run = log_[clockAt_++];
                lastReading_ = static_cast<int>(lastReading_ + run.value[0]);
                readsLeft_ = run.value[1];
            }
        }
        if (readsLeft_ > 0) --readsLeft_;
        return lastReading_;
    }

    Vector3 pickRay(int, int, const Vector3& ahead) override {
        rayAt_ = next(rayAt_, RecordKind::Ray);
        if (rayAt_ < to_) return rayOf(log_[rayAt_++]);
        return Unit(ahead);
    }

    // Runs the action did not take still move the chain on, so the next
    // action reads what it read when logged.
    void finish() {
        for (clockAt_ = next(clockAt_, RecordKind::Clock); clockAt_ < to_;
             clockAt_ = next(clockAt_ + 1, RecordKind::Clock)) {
            lastReading_ = static_cast<int>(lastReading_ + log_[clockAt_].value[0]);
        }
    }

private:
    std::size_t next(std::size_t i, RecordKind kind) const {
        while (i < to_ && log_[i].kind != kind) ++i;
        return i;
    }

    const std::vector<JournalRecord>& log_;
    std::size_t clockAt_;
    std::size_t rayAt_;
    std::size_t to_;
    long long readsLeft_ = 0;
    int& lastReading_;
};

// The log of inputs, one group of records per step ending with its `s N`,
// is the one source of truth; the snapshots are a cache of states along it.
// `position` is where the simulation stands in the log: its end while live,
// behind it after going back and while a recording plays.
class Session {
public:
    std::vector<JournalRecord> log;
    std::vector<SimControls> controlsTable;  // what the log's `c` records stand for
    std::size_t position = 0;
    std::size_t fileEnd = 0;  // records before this come from a replayed file
    // The controls as the log leaves them after its last action taken:
    // live, a `c` record is logged before an action when they differ; behind,
    // they are what the simulation runs under between logged actions.
    std::optional<SimControls> loggedControls;
    std::deque<Snapshot> snapshots;
    StepView view;
    ContactHistory contacts;
    LabHistory lab;
    bool branchPending = false;  // the next step starts a branch: it gets the mark
    long step = 0;          // the last step run
    long furthestStep = 0;  // the furthest step the session has run
    int lastClockReading = 0;
    bool watcherFliesOwnCamera = false;  // behind: the arrows steer a camera of the watcher's
    int singleStepsPending = 0;          // O while paused
    ReplayProgress replay;
    RecordingOutput output;
    RecordingFile unadoptedFile;  // opened before the session starts (before the window)

    bool behind() const { return position < log.size(); }
    bool replayPlaying() const { return replay.active && position < fileEnd; }

    void start();
    void adoptRecording();
    void beginReplay(const Recording& recording, ReplayReport report);
    void deliver(const InputEvent& event);
    void deliverDrag(int ball, const Vector3& target);
    bool deliverEdit(int ball, const Vector3* position, const Vector3* velocity, std::string* why);
    bool editsPending() const;
    StepEvents stepTurn();
    bool goBackTo(long target, StepEvents& events);
    bool goForwardTo(long target, StepEvents& events);
    bool end();
    ReplayOutcome playToEnd();
    void dropSnapshotCache();
    long memoryBytes() const;
    FrameLook look() const;
    void changeReplaySpeed(int by);
    int stepsThisTurn();

    void append(const JournalRecord& r);
    void rewriteLastLine();

private:
    const SimControls* controlsOf(const JournalRecord& r) const {
        return r.kind == RecordKind::Controls ? &controlsTable[static_cast<std::size_t>(r.value[0])] : nullptr;
    }
    JournalRecord hashRecord(RecordKind kind) const {
        JournalRecord r;
        r.kind = kind;
        r.step = step;
        r.value[0] = static_cast<long long>(sceneStateHash(sim));
        return r;
    }
    // Where the group of the step after the last one run begins.
    std::size_t stepGroupStart() const {
        std::size_t i = position;
        while (i > 0 && log[i - 1].kind != RecordKind::Step && log[i - 1].kind != RecordKind::Checkpoint &&
               log[i - 1].kind != RecordKind::End) {
            --i;
        }
        return i;
    }
    // The replayed file's last `s N`: the replay ends with its group.
    std::size_t lastFileStep() const {
        std::size_t i = fileEnd;
        while (i > 0 && log[i - 1].kind != RecordKind::Step) --i;
        return i > 0 ? i - 1 : 0;
    }

    void stopRecording();
    void writeOut();
    void flushRecording(FlushAt when);
    void takeSnapshot();
    void trimHistory();
    void beginLiveAction();
    void endLiveAction(const JournalRecord& action);
    void liveMotion(const InputEvent& event);
    void liveEvent(const InputEvent& event);
    void liveDrag(int ball, const Vector3& target);
    void liveEdit(const JournalRecord& r);
    void replaceRecord(std::size_t at, const JournalRecord& r);
    void afterStep();
    void runStep(Readings& readings, StepEvents& events);
    void liveStep(StepEvents& events);
    void checkRecord(const JournalRecord& r, Taking taking);
    bool replayEnded();
    bool runLoggedAction(Taking taking, StepEvents& events);
    void takeReplayTail(StepEvents& events);
    void runSilentlyTo(long target, StepEvents& events);
    void branch();
    unsigned groupMarks(std::size_t stepRecord) const;
    void noteLabStep(std::size_t stepRecord);
};

// An edit record acts on the simulation: checked again, so a file that
// asks for a place no ball may take leaves the ball where it is.
void applyEdit(Simulation& s, const JournalRecord& r) {
    if (editedFieldOf(r) == EditedField::Position) {
        placeBall(s, r.event.a, editValueOf(r));
    } else {
        setBallVelocity(s, r.event.a, editValueOf(r));
    }
}

LoggingReadings::LoggingReadings(Session& session) : session_(session), actionStart_(session.log.size()) {}

int LoggingReadings::clock() {
    const int now = liveReadings().clock();
    std::vector<JournalRecord>& log = session_.log;
    if (log.size() > actionStart_ && log.back().kind == RecordKind::Clock && now == session_.lastClockReading) {
        ++log.back().value[1];
        session_.rewriteLastLine();
    } else {
        JournalRecord r;
        r.kind = RecordKind::Clock;
        r.step = session_.step + 1;
        r.value[0] = static_cast<long long>(now) - session_.lastClockReading;
        r.value[1] = 1;
        session_.append(r);
    }
    session_.lastClockReading = now;
    return now;
}

Vector3 LoggingReadings::pickRay(int x, int y, const Vector3& ahead) {
    const Vector3 d = liveReadings().pickRay(x, y, ahead);
    session_.append(rayRecord(session_.step + 1, d));
    return d;
}

Session liveSession;

// ---- the file ----

// A write that failed ends the recording: the file keeps what it holds
// (an earlier file of its name untouched until the new one took it), the
// session goes on unrecorded, the corner says so while it does, and the
// exit status will.
void Session::stopRecording() {
    output.failed = true;
    output.unwritten.clear();
    output.lastLineStart = kNoLine;
    const std::string& reason = output.file.failure();
    std::string kept = output.file.currentPath();
    kept += output.savedStep < 0 ? " holds only the header"
                                 : " holds the recording up to step " + std::to_string(output.savedStep);
    if (!output.file.named()) kept += ", " + output.file.path() + " is untouched";
    std::fprintf(stderr, "vennaloft: Recording stopped: %s (%s)\n", reason.c_str(), kept.c_str());
    showLastingNotice(live.notices, "Recording stopped: " + reason);
}

void Session::writeOut() {
    if (!output.file.isOpen() || output.unwritten.empty()) return;
    const bool written = output.file.write(output.unwritten);
    output.unwritten.clear();
    output.lastLineStart = kNoLine;
    if (written) {
        output.savedStep = step;
    } else {
        stopRecording();
    }
}

// Whole checkpoints only reach the file, so a crash leaves a recording that
// ends at one. The new file takes the old one's name at the first
// checkpoint after the start, or at the end.
void Session::flushRecording(FlushAt when) {
    if (!output.file.isOpen()) return;
    writeOut();
    if (output.file.isOpen() && !output.file.named() && (when == FlushAt::End || step >= kCheckpointInterval) &&
        !output.file.takeName()) {
        stopRecording();
    }
}

void Session::append(const JournalRecord& r) {
    log.push_back(r);
    position = log.size();
    if (output.file.isOpen()) {
        output.lastLineStart = output.unwritten.size();
        output.unwritten += formatRecord(r, controlsOf(r));
    }
}

// The last record was changed in place: its line in the file to be is
// written again in place of the old one (after it, if that is out already).
void Session::rewriteLastLine() {
    if (!output.file.isOpen()) return;
    if (output.lastLineStart != kNoLine) output.unwritten.resize(output.lastLineStart);
    output.lastLineStart = output.unwritten.size();
    output.unwritten += formatRecord(log.back(), nullptr);
}

// The session takes over the opened file: the start's checkpoint goes out
// at once.
void Session::adoptRecording() {
    if (!unadoptedFile.isOpen()) return;
    output.file = std::move(unadoptedFile);
    append(hashRecord(RecordKind::Checkpoint));
    flushRecording(FlushAt::Checkpoint);
    snapshots.back().logIndex = position;
}

// ---- the cache ----

void Session::takeSnapshot() {
    if (!snapshots.empty() && snapshots.back().step >= step) return;
    snapshots.emplace_back();
    Snapshot& k = snapshots.back();
    k.step = step;
    k.logIndex = position;
    k.lastClockReading = lastClockReading;
    k.state = sim;
    k.view = view;
    k.contacts = contacts;
}

// Drops snapshots older than the history needs, then the log in front of
// the oldest one.
void Session::trimHistory() {
    // A replay keeps its start, so Shift+Page Up can go back to it: the
    // log is the whole file in memory anyway. Gone on live past its end,
    // the history is trimmed as a live one.
    const std::size_t keep = replay.active && furthestStep <= replay.steps ? 1 : 0;
    while (snapshots.size() >= keep + 2 && snapshots[keep + 1].step <= furthestStep - kHistorySteps) {
        snapshots.erase(snapshots.begin() + static_cast<long>(keep));
    }
    const std::size_t dead = snapshots.front().logIndex;
    if (dead < kTrimRecords || dead < log.size() / 2) return;
    log.erase(log.begin(), log.begin() + static_cast<long>(dead));
    position -= dead;
    fileEnd = fileEnd > dead ? fileEnd - dead : 0;
    for (Snapshot& k : snapshots) k.logIndex -= dead;
    // The controls table loses what no record refers to any more.
    std::size_t firstUsed = controlsTable.size();
    for (const JournalRecord& r : log) {
        if (r.kind == RecordKind::Controls) {
            firstUsed = static_cast<std::size_t>(r.value[0]);
            break;
        }
    }
    controlsTable.erase(controlsTable.begin(), controlsTable.begin() + static_cast<long>(firstUsed));
    for (JournalRecord& r : log) {
        if (r.kind == RecordKind::Controls) r.value[0] -= static_cast<long long>(firstUsed);
    }
}

// Keeps the oldest snapshot, which the log starts from: every other state
// is made again from it when it is wanted.
void Session::dropSnapshotCache() {
    if (snapshots.size() > 1) snapshots.erase(snapshots.begin() + 1, snapshots.end());
}

// ---- live actions ----

void Session::beginLiveAction() {
    if (!loggedControls || sim.controls != *loggedControls) {
        JournalRecord r;
        r.kind = RecordKind::Controls;
        r.step = step + 1;
        r.value[0] = static_cast<long long>(controlsTable.size());
        controlsTable.push_back(sim.controls);
        append(r);
    }
}

void Session::endLiveAction(const JournalRecord& action) {
    append(action);
    loggedControls = sim.controls;
}

// The pointer only sets the pointer position, whatever else stands, so it
// needs no controls before it; and a position that the next one replaces
// before any step reads it never reaches the simulation: moves between two
// actions are kept as one record, the last, so a long pause with the mouse
// moving does not grow the log.
void Session::liveMotion(const InputEvent& event) {
    applyInputEvent(sim, event, liveReadings());
    if (loggedControls) {
        loggedControls->mouseX = sim.controls.mouseX;
        loggedControls->mouseY = sim.controls.mouseY;
    }
    JournalRecord* last = log.empty() ? nullptr : &log.back();
    if (last != nullptr && last->kind == RecordKind::Event && last->event.kind == InputKind::Motion &&
        last->step == step + 1 && !behind()) {
        last->event = event;
        rewriteLastLine();
        return;
    }
    append(eventRecord(step + 1, event));
}

void Session::liveEvent(const InputEvent& event) {
    if (event.kind == InputKind::Motion) {
        liveMotion(event);
        return;
    }
    beginLiveAction();
    LoggingReadings readings(*this);
    applyInputEvent(sim, event, readings);
    endLiveAction(eventRecord(step + 1, event));
}

// A hold reads nothing from outside and sets only the hold, so like the
// pointer it needs no controls before it, and a new target for the same
// ball before any step read the last one replaces it.
void Session::liveDrag(int ball, const Vector3& target) {
    setDragHold(sim, ball, target);
    const JournalRecord r = dragRecord(step + 1, sim.drag.ball, sim.drag.target);
    JournalRecord* last = log.empty() ? nullptr : &log.back();
    if (last != nullptr && last->kind == RecordKind::Drag && last->step == r.step && last->event.a == r.event.a &&
        r.event.a >= 0 && !behind()) {
        *last = r;
        rewriteLastLine();
        return;
    }
    append(r);
}

// An edit sets a field of one ball and reads only where the other balls
// are, so it commutes with the pointer, with holds and with the other edits
// of its ball: a new value for a field the step's group already set
// replaces the old one in place, and a drag while paused, one edit per
// pointer move, does not grow the log.
void Session::liveEdit(const JournalRecord& r) {
    applyEdit(sim, r);
    if (!behind()) {
        const std::size_t groupStart = stepGroupStart();
        for (std::size_t i = log.size(); i > groupStart; --i) {
            const JournalRecord& earlier = log[i - 1];
            const bool sameBall = earlier.kind == RecordKind::Edit && earlier.event.a == r.event.a;
            if (sameBall && earlier.event.b == r.event.b) {
                replaceRecord(i - 1, r);
                return;
            }
            const bool commutes = sameBall || earlier.kind == RecordKind::Drag ||
                                  (earlier.kind == RecordKind::Event && earlier.event.kind == InputKind::Motion);
            if (!commutes) break;
        }
    }
    append(r);
}

// A record of the current step's group changed in place: the lines from it
// on, which wait for the file together, are written again.
void Session::replaceRecord(std::size_t at, const JournalRecord& r) {
    std::size_t tail = 0;
    if (output.file.isOpen()) {
        for (std::size_t i = at; i < log.size(); ++i) tail += formatRecord(log[i], nullptr).size();
    }
    log[at] = r;
    if (!output.file.isOpen() || tail > output.unwritten.size()) return;
    output.unwritten.resize(output.unwritten.size() - tail);
    for (std::size_t i = at; i < log.size(); ++i) {
        output.lastLineStart = output.unwritten.size();
        output.unwritten += formatRecord(log[i], nullptr);
    }
}

void Session::afterStep() {
    if (step % kSnapshotInterval == 0) takeSnapshot();
    trimHistory();
}

// A simulating step, and what it hands the display.
void Session::runStep(Readings& readings, StepEvents& events) {
    events.contacts = &contacts;
    runSimulatingStep(sim, readings, events);
    advanceStepView(view, sim, events.endedFollow, live.viewer.selectedBall);
}

void Session::liveStep(StepEvents& events) {
    beginLiveAction();
    LoggingReadings readings(*this);
    runStep(readings, events);
    JournalRecord r;
    r.kind = RecordKind::Step;
    r.step = step + 1;
    endLiveAction(r);
    step = r.step;
    furthestStep = step;
    noteLabStep(position - 1);
    if (step % kCheckpointInterval == 0) {
        append(hashRecord(RecordKind::Checkpoint));
        flushRecording(FlushAt::Checkpoint);
    }
    afterStep();
}

// ---- logged actions ----

// A checkpoint or end record met in the log: compared with the scene.
void Session::checkRecord(const JournalRecord& r, Taking taking) {
    if (taking == Taking::Again || !replay.active || !replay.outcome.matches) return;
    const std::uint64_t expected = static_cast<std::uint64_t>(r.value[0]);
    const std::uint64_t got = sceneStateHash(sim);
    if (got == expected) return;
    replay.outcome.matches = false;
    replay.outcome.divergedAt = step;
    replay.outcome.expected = expected;
    replay.outcome.got = got;
    const std::string verdict = "replay diverges at step " + std::to_string(step);
    if (replay.report == ReplayReport::OnStandardError) std::fprintf(stderr, "%s\n", verdict.c_str());
    showVerdict(live.notices, verdict);
}

// True when the replay's end is announced now.
bool Session::replayEnded() {
    if (!replay.active || replay.endAnnounced || position < fileEnd) return false;
    replay.endAnnounced = true;
    showVerdict(live.notices, replay.outcome.matches ? "replay matches: " + std::to_string(step) + " steps"
                                       : "replay diverges at step " + std::to_string(replay.outcome.divergedAt));
    if (replay.report != ReplayReport::OnStandardError) return true;
    if (replay.outcome.matches) {
        char text[17];
        formatStateHash(sceneStateHash(sim), text);
        std::fprintf(stderr, "replay matches: %ld steps, final state %s\n", step, text);
    } else {
        std::fprintf(stderr, "replay ends at step %ld\n", step);
    }
    // The recorded session is over: it holds there, and P goes on live.
    if (sim.controls.paused == 0) togglePause(sim, liveReadings());
    return true;
}

// Acts on the log from the position through the next action (an input or
// a step) with the controls, clock readings and pick rays its group holds,
// and through the checkpoints after it. The watcher's camera, arrows and
// pause are set aside meanwhile. Returns true when a step ran.
bool Session::runLoggedAction(Taking taking, StepEvents& events) {
    const SimControls watcher = sim.controls;
    sim.controls = *loggedControls;
    const std::size_t groupStart = position;
    while (position < log.size() && log[position].kind != RecordKind::Event &&
           log[position].kind != RecordKind::Step && log[position].kind != RecordKind::Drag &&
           log[position].kind != RecordKind::Edit) {
        const JournalRecord& r = log[position++];
        if (r.kind == RecordKind::Controls) sim.controls = *controlsOf(r);
        if (r.kind == RecordKind::Checkpoint || r.kind == RecordKind::End) checkRecord(r, taking);
    }
    LoggedReadings readings(log, groupStart, position, lastClockReading);
    bool stepped = false;
    if (position < log.size()) {
        const JournalRecord action = log[position++];
        if (action.kind == RecordKind::Drag) {
            setDragHold(sim, action.event.a, dragTargetOf(action));
        } else if (action.kind == RecordKind::Edit) {
            applyEdit(sim, action);
        } else if (action.kind == RecordKind::Event) {
            applyInputEvent(sim, action.event, readings);
        } else {
            StepEvents taken;
            runStep(readings, taken);
            events.absorb(taken, taking == Taking::Watched);
            step = action.step;
            if (step > furthestStep) furthestStep = step;
            stepped = true;
            noteLabStep(position - 1);
        }
    }
    readings.finish();
    if (stepped) {
        while (position < log.size() &&
               (log[position].kind == RecordKind::Checkpoint || log[position].kind == RecordKind::End)) {
            checkRecord(log[position++], taking);
        }
    }
    loggedControls = sim.controls;
    if (stepped) afterStep();
    applyViewerControls(watcher, watcherFliesOwnCamera, sim.controls);
    if (stepped) {
        // The watcher's scene clock goes on from the step's, so flashes and
        // contact marks age from where the step left them.
        if (sim.controls.paused != 0) {
            sim.controls.pausedSceneTime = sim.stepSceneTime;
        } else {
            sim.controls.pausedTotal =
                shiftedReading(liveReadings().clock(), -static_cast<long long>(sim.stepSceneTime));
        }
    }
    return stepped;
}

// The end of a replay is its last recorded step: what the file holds after
// it (a pointer move before Escape, the end record) is taken with it.
void Session::takeReplayTail(StepEvents& events) {
    if (!replay.active) return;
    while (position < fileEnd && position > lastFileStep()) runLoggedAction(Taking::Watched, events);
}

// Takes the log's actions again without sound, until step `target` has run
// or the log ends.
void Session::runSilentlyTo(long target, StepEvents& events) {
    while (step < target && behind()) runLoggedAction(Taking::Again, events);
}

// Input while behind that changes the simulation: the steps ahead are
// dropped and the session goes on live from here. The file learns that the
// session went back, and gets again what was already done since.
void Session::branch() {
    log.resize(position);
    while (!snapshots.empty() && snapshots.back().step > step) snapshots.pop_back();
    if (output.file.isOpen()) {
        JournalRecord back;
        back.kind = RecordKind::Back;
        back.step = step;
        output.unwritten += formatRecord(back, nullptr);
        for (std::size_t i = stepGroupStart(); i < position; ++i)
            output.unwritten += formatRecord(log[i], controlsOf(log[i]));
        output.lastLineStart = kNoLine;
    }
    furthestStep = step;
    lab.forgetAfter(step);
    branchPending = true;
}

// What the inputs in the group of the step at log[stepRecord] did, as
// timeline marks: a press that fires or throws, a pull on a ball, a reset,
// a ball moved or given a velocity by hand.
unsigned Session::groupMarks(std::size_t stepRecord) const {
    unsigned marks = 0;
    for (std::size_t i = stepRecord; i > 0; --i) {
        const JournalRecord& r = log[i - 1];
        if (r.kind == RecordKind::Step || r.kind == RecordKind::Checkpoint || r.kind == RecordKind::End) break;
        if (r.kind == RecordKind::Drag && r.event.a >= 0) marks |= kMarkDrag;
        if (r.kind == RecordKind::Edit) marks |= kMarkEdit;
        if (r.kind != RecordKind::Event) continue;
        const InputEvent& e = r.event;
        if (e.kind == InputKind::MouseButton && e.b == kButtonDown) {
            // The left button throws a ball in throw mode (F6).
            if (e.a == kRightButton || (e.a == kLeftButton && sim.controls.launchMode == 0)) marks |= kMarkFire;
            if (e.a == kLeftButton && sim.controls.launchMode != 0) marks |= kMarkThrow;
        }
        if (e.kind == InputKind::SpecialDown && e.a == kKeyF8) marks |= kMarkReset;
    }
    return marks;
}

// After every simulating step, the one at log[stepRecord]. A step run again
// writes the same figures; only the branch mark is not in the log, so an
// entry keeps it.
void Session::noteLabStep(std::size_t stepRecord) {
    unsigned marks = groupMarks(stepRecord);
    if (branchPending) marks |= kMarkBranch;
    branchPending = false;
    if (const StepFigures* kept = lab.at(step)) marks |= kept->marks & kMarkBranch;
    lab.record(sim, step, sim.stats.contacts, marks);
}

bool arrowEvent(const InputEvent& e) {
    return (e.kind == InputKind::SpecialDown || e.kind == InputKind::SpecialUp) && eventRole(e) == EventRole::Viewer;
}

// ---- the operations ----

void Session::start() {
    RecordingFile file = std::move(unadoptedFile);
    *this = Session();
    unadoptedFile = std::move(file);
    clearLastingNotice(live.notices);
    clearVerdict(live.notices);
    sim.stepsRun = 0;
    sim.stats = StepStats();
    sim.stepSceneTime = sceneMilliseconds(sim, liveReadings());
    // Step 0 is shown as a step's frame: the pulse's first move included.
    advanceStepView(view, sim, -1, live.viewer.selectedBall);
    lab.record(sim, 0, 0, 0);
    takeSnapshot();
    adoptRecording();
}

void Session::beginReplay(const Recording& recording, ReplayReport report) {
    log = recording.records;
    controlsTable = recording.controls;
    position = 0;
    fileEnd = log.size();
    snapshots.back().logIndex = 0;
    loggedControls = sim.controls;
    replay.active = true;
    replay.report = report;
    replay.steps = recording.steps;
}

void Session::deliver(const InputEvent& event) {
    const EventRole role = eventRole(event);
    if (role == EventRole::Nothing) return;
    if (!behind()) {
        liveEvent(event);
        return;
    }
    if (role == EventRole::Viewer) {
        if (arrowEvent(event)) watcherFliesOwnCamera = true;
        applyInputEvent(sim, event, liveReadings());
        return;
    }
    // A replay ignores what would change its simulation; F1 and F2 set how
    // fast it plays instead.
    if (position < fileEnd) {
        if (event.kind == InputKind::SpecialDown && (event.a == kKeyF1 || event.a == kKeyF2)) {
            changeReplaySpeed(event.a == kKeyF1 ? 1 : -1);
        }
        return;
    }
    branch();
    liveEvent(event);
}

void Session::deliverDrag(int ball, const Vector3& target) {
    if (behind()) {
        // A replay is not dragged; a stepped-back scene goes on live from here.
        if (position < fileEnd) return;
        branch();
    }
    liveDrag(ball, target);
}

// Both values are checked before either is set, so a refused edit changes
// nothing. A typed value is taken by its coordinates alone.
bool Session::deliverEdit(int ball, const Vector3* newPosition, const Vector3* newVelocity, std::string* why) {
    EditRefusal refusal = EditRefusal::None;
    const char* reason = nullptr;
    std::vector<JournalRecord> edits;
    if (behind() && position < fileEnd) {
        reason = "a replay is playing";
    }
    if (reason == nullptr && newPosition != nullptr) {
        const Vector3 p(newPosition->x, newPosition->y, newPosition->z);
        refusal = checkBallPosition(sim, ball, p);
        edits.push_back(editRecord(step + 1, ball, EditedField::Position, p));
    }
    if (reason == nullptr && refusal == EditRefusal::None && newVelocity != nullptr) {
        const Vector3 v(newVelocity->x, newVelocity->y, newVelocity->z);
        refusal = checkBallVelocity(sim, ball, v);
        edits.push_back(editRecord(step + 1, ball, EditedField::Velocity, v));
    }
    if (reason == nullptr && refusal != EditRefusal::None) reason = editRefusalText(refusal);
    if (reason != nullptr) {
        const std::string text = "Ball " + std::to_string(ball) + " kept: " + reason;
        showNotice(live.notices, text, elapsedMilliseconds());
        if (why != nullptr) *why = reason;
        return false;
    }
    // A stepped-back scene goes on live from here.
    if (behind()) branch();
    for (const JournalRecord& r : edits) liveEdit(r);
    return true;
}

// Edits made since the last step: B takes the scene back to that step.
bool Session::editsPending() const {
    if (behind()) return false;
    for (std::size_t i = stepGroupStart(); i < position; ++i) {
        if (log[i].kind == RecordKind::Edit) return true;
    }
    return false;
}

StepEvents Session::stepTurn() {
    StepEvents events;
    // Single steps asked for while paused do not outlast the pause.
    if (sim.controls.paused == 0) singleStepsPending = 0;
    if (!takeSimulationTurn(sim, singleStepsPending)) {
        runPausedStep(sim, events);
        return events;
    }
    while (behind()) {
        if (runLoggedAction(Taking::Watched, events)) {
            // The watcher's own camera flies with its own arrows, once a
            // step, as the free camera does in a live step.
            if (watcherFliesOwnCamera) runPausedStep(sim, events);
            takeReplayTail(events);
            replayEnded();
            return events;
        }
    }
    // A replay whose end was reached by a jump ends here: that turn runs no step.
    if (replayEnded()) return events;
    liveStep(events);
    return events;
}

bool Session::goBackTo(long target, StepEvents& events) {
    if (snapshots.empty()) return false;
    if (target < snapshots.front().step) target = snapshots.front().step;
    if (target > step || (target == step && !editsPending())) return false;
    // The live camera stays with the watcher while the scene goes back.
    if (!behind()) watcherFliesOwnCamera = true;
    branchPending = false;
    const SimControls watcher = sim.controls;
    std::size_t k = snapshots.size() - 1;
    while (snapshots[k].step > target) --k;
    const Snapshot& key = snapshots[k];
    sim = key.state;
    loggedControls = key.state.controls;
    position = key.logIndex;
    step = key.step;
    lastClockReading = key.lastClockReading;
    view = key.view;
    contacts = key.contacts;
    // The steps in between are taken again silently.
    runSilentlyTo(target, events);
    sim.controls = *loggedControls;
    applyViewerControls(watcher, watcherFliesOwnCamera, sim.controls);
    sim.controls.pausedSceneTime = sim.stepSceneTime;
    return true;
}

// Forward through the log as O would go, without frames or sound.
bool Session::goForwardTo(long target, StepEvents& events) {
    if (!behind() || target <= step) return false;
    while (step < target && behind()) runLoggedAction(Taking::Forward, events);
    takeReplayTail(events);
    replayEnded();
    return true;
}

bool Session::end() {
    if (!output.file.isOpen()) return !output.failed;
    // A scene gone back ends where the session had got to.
    StepEvents ignored;
    runSilentlyTo(std::numeric_limits<long>::max(), ignored);
    append(hashRecord(RecordKind::End));
    flushRecording(FlushAt::End);
    if (output.file.isOpen() && !output.file.close()) stopRecording();
    return !output.failed;
}

ReplayOutcome Session::playToEnd() {
    StepEvents ignored;
    while (behind() && replay.outcome.matches) runLoggedAction(Taking::Watched, ignored);
    replayEnded();
    ReplayOutcome outcome = replay.outcome;
    outcome.steps = step;
    if (outcome.matches) outcome.got = sceneStateHash(sim);
    return outcome;
}

long Session::memoryBytes() const {
    const std::size_t bytes = log.capacity() * sizeof(JournalRecord) +
                              controlsTable.capacity() * sizeof(SimControls) + snapshots.size() * sizeof(Snapshot);
    return static_cast<long>(bytes);
}

FrameLook Session::look() const {
    FrameLook look = lookAt(sim, view, &contacts, live.viewer.selectedBall);
    TimelineFigures& t = look.timeline;
    t.stepsBack = furthestStep - step;
    t.stepsReach = snapshots.empty() ? 0 : step - snapshots.front().step;
    t.replaying = replayPlaying() ? 1 : 0;
    t.replayStep = step;
    t.replaySteps = replay.steps;
    t.replaySpeed = replay.speed;
    t.recording = output.file.isOpen() && !output.failed ? 1 : 0;
    const std::string& name = t.recording != 0 ? output.file.path() : replay.active ? replay.name : std::string();
    const std::size_t slash = name.rfind('/');
    std::snprintf(t.fileName, sizeof t.fileName, "%s", name.c_str() + (slash == std::string::npos ? 0 : slash + 1));
    return look;
}

void Session::changeReplaySpeed(int by) {
    replay.speed += by;
    if (replay.speed > 3) replay.speed = 3;
    if (replay.speed < -3) replay.speed = -3;
}

int Session::stepsThisTurn() {
    const int speed = replay.speed;
    if (!replayPlaying() || sim.controls.paused != 0 || speed == 0) return 1;
    if (speed > 0) return 1 << speed;
    replay.slowTurn = (replay.slowTurn + 1) % (1 << -speed);
    return replay.slowTurn == 0 ? 1 : 0;
}

// A program that ends before its session starts (no display) leaves no
// part file behind.
void dropUnadopted() { liveSession.unadoptedFile.discard(); }

}  // namespace

void startSession() { liveSession.start(); }

bool openRecording(const char* path, const ReplayHeader& header, std::string& error) {
    if (!liveSession.unadoptedFile.open(path, formatReplayHeader(header), error)) return false;
    static const bool registered = std::atexit(dropUnadopted) == 0;
    (void)registered;
    return true;
}

bool startRecording(const char* path, const ReplayHeader& header, std::string& error) {
    if (!openRecording(path, header, error)) return false;
    liveSession.adoptRecording();
    return true;
}

void startReplay(const Recording& recording, ReplayReport report) { liveSession.beginReplay(recording, report); }

void deliverInput(const InputEvent& event) { liveSession.deliver(event); }

void deliverDrag(int ball, const Vector3& target) { liveSession.deliverDrag(ball, target); }

bool deliverBallEdit(int ball, const Vector3* position, const Vector3* velocity, std::string* why) {
    return liveSession.deliverEdit(ball, position, velocity, why);
}

bool deliverDragMove(int ball, const Vector3& target, std::string* why) {
    deliverDrag(ball, target);
    if (sim.controls.paused == 0 || ball < 0) return true;
    // Paused, the step's pull waits: the ball is placed under the pointer at
    // once, standing still, as a hand holding it would leave it.
    const Vector3 still(0.0, 0.0, 0.0);
    return liveSession.deliverEdit(ball, &target, &still, why);
}

void requestSingleStep() {
    if (sim.controls.paused != 0) ++liveSession.singleStepsPending;
}

StepEvents sessionStep() { return liveSession.stepTurn(); }

bool stepBack(StepEvents& events) {
    if (sim.controls.paused == 0) return false;
    // Edits since the last step go first, all together: the scene as that
    // step left it.
    const long target = liveSession.editsPending() ? liveSession.step : liveSession.step - 1;
    return liveSession.goBackTo(target, events);
}

bool jumpToStep(long target, StepEvents& events) {
    if (sim.controls.paused == 0) return false;
    return target < liveSession.step ? liveSession.goBackTo(target, events) : liveSession.goForwardTo(target, events);
}

long sessionStepNumber() { return liveSession.step; }

void changeReplaySpeed(int by) { liveSession.changeReplaySpeed(by); }

int sessionStepsThisTurn() { return liveSession.stepsThisTurn(); }

bool endSession() { return liveSession.end(); }

ReplayOutcome playReplayToEnd() { return liveSession.playToEnd(); }

void dropSnapshotCache() { liveSession.dropSnapshotCache(); }

long sessionMemoryBytes() { return liveSession.memoryBytes(); }

FrameLook sessionLook() { return liveSession.look(); }

const LabHistory& sessionLabHistory() { return liveSession.lab; }

void nameSessionReplay(const char* path) { liveSession.replay.name = path != nullptr ? path : ""; }
