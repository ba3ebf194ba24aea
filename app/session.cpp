#include "app/session.h"

#include <cstdio>
#include <deque>
#include <limits>
#include <vector>

#include "app/live_readings.h"
#include "app/live_simulation.h"
#include "app/recording_file.h"
#include "effects/contact_log.h"
#include "effects/inspect_mode.h"
#include "effects/screenshot_notice.h"
#include "effects/view_state.h"
#include "input/key_codes.h"
#include "input/mouse_actions.h"
#include "physics/ball_drag.h"
#include "physics/simulation_step.h"
#include "physics/state_hash.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "scene/scene_state.h"
#include "scene/sim_controls.h"

Simulation sim;
LiveView live;

namespace {

// The simulation kept for step back: its copy after `step`, where the
// journal stood then, the last clock reading, and what the display had
// made of the steps so far (trail, pulse, contact lists).
struct Keyframe {
    long step = 0;
    std::size_t index = 0;
    int lastRead = 0;
    Simulation state;
    StepView view;
    ContactHistory contacts;
};

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

// The dead front of the journal is dropped once it is at least this long.
constexpr std::size_t kTrimRecords = 4096;

struct Session {
    std::vector<JournalRecord> records;
    std::vector<SimControls> controls;
    std::size_t cursor = 0;            // the next record to act on; records.size() when live
    std::size_t stepEnd = 0;           // just after the records of the last step run
    std::size_t lockedEnd = 0;         // records before this come from a replayed file
    std::size_t lastRecordedStep = 0;  // the index of the replayed file's last step record
    std::deque<Keyframe> keyframes;
    // What the steps so far show besides the simulation: each step run,
    // live, replayed or taken again, moves them on once.
    StepView view;
    ContactHistory contacts;
    long step = 0;        // the last step run
    long newestStep = 0;  // the furthest step the journal reaches
    SimControls shadow;   // live: the controls as the journal knows them
    bool shadowValid = false;
    SimControls simControls;  // behind: the simulation's controls between actions
    bool detached = false;    // behind: the viewer flies a camera of its own
    int lastRead = 0;         // the last clock reading an action saw

    bool replaying = false;
    bool announce = false;
    bool announcedEnd = false;
    long replaySteps = 0;
    int replaySpeed = 0;  // F1 / F2 during a replay: 2 to this power, -3 .. 3
    int slowTurn = 0;     // below normal pace: which of the 2, 4 or 8 turns runs a step
    ReplayOutcome outcome;

    RecordingFile file;
    bool recordingFailed = false;
    long savedStep = -1;  // the step the file holds the recording up to
    std::string unwritten;
    std::size_t lastLineStart = kNoLine;  // of the last record, while it is in `unwritten`

    // Context noted during a live action, and fed to a recorded one.
    std::vector<JournalRecord> noted;
    std::vector<JournalRecord> clockFeed;
    std::vector<JournalRecord> rayFeed;
    std::size_t clockAt = 0;
    long long readsLeft = 0;
    std::size_t rayAt = 0;
};

Session session;

bool behind() { return session.cursor < session.records.size(); }

// Live actions: the real clock and pick rays, noted on the way.
struct NotingReadings final : Readings {
    int clock() override {
        const int now = liveReadings().clock();
        if (!session.noted.empty() && session.noted.back().kind == RecordKind::Clock && now == session.lastRead) {
            ++session.noted.back().value[1];
        } else {
            JournalRecord r;
            r.kind = RecordKind::Clock;
            r.value[0] = static_cast<long long>(now) - session.lastRead;
            r.value[1] = 1;
            session.noted.push_back(r);
        }
        session.lastRead = now;
        return now;
    }

    Vector3 pickRay(int x, int y, const Vector3& ahead) override {
        const Vector3 d = liveReadings().pickRay(x, y, ahead);
        session.noted.push_back(rayRecord(0, d));
        return d;
    }
};

// Recorded actions: the readings and rays the journal kept. Past its end
// (a diverging replay) the clock stands and rays look along the view.
struct FedReadings final : Readings {
    int clock() override {
        if (session.readsLeft == 0 && session.clockAt < session.clockFeed.size()) {
            const JournalRecord& run = session.clockFeed[session.clockAt++];
            session.lastRead = static_cast<int>(session.lastRead + run.value[0]);
            session.readsLeft = run.value[1];
        }
        if (session.readsLeft > 0) --session.readsLeft;
        return session.lastRead;
    }

    Vector3 pickRay(int, int, const Vector3& ahead) override {
        if (session.rayAt < session.rayFeed.size()) {
            return rayOf(session.rayFeed[session.rayAt++]);
        }
        return Unit(ahead);
    }
};


// A write that failed ends the recording: the file keeps what it holds
// (an earlier file of its name untouched until the new one took it), the
// session goes on unrecorded, the corner says so while it does, and the
// exit status will.
void stopRecording() {
    session.recordingFailed = true;
    session.unwritten.clear();
    session.lastLineStart = kNoLine;
    const std::string& reason = session.file.failure();
    std::string kept = session.file.currentPath();
    kept += session.savedStep < 0 ? " holds only the header"
                                  : " holds the recording up to step " + std::to_string(session.savedStep);
    if (!session.file.named()) kept += ", " + session.file.path() + " is untouched";
    std::fprintf(stderr, "vennaloft: Recording stopped: %s (%s)\n", reason.c_str(), kept.c_str());
    showLastingNotice(live.notices, "Recording stopped: " + reason);
}

void writeOut() {
    if (!session.file.isOpen() || session.unwritten.empty()) return;
    const bool written = session.file.write(session.unwritten);
    session.unwritten.clear();
    session.lastLineStart = kNoLine;
    if (written) {
        session.savedStep = session.step;
    } else {
        stopRecording();
    }
}

// Whole checkpoints only reach the file, so a crash leaves a recording that
// ends at one. The new file takes the old one's name at the first
// checkpoint after the start, or at the end.
void flushRecording(bool ending) {
    if (!session.file.isOpen()) return;
    writeOut();
    if (session.file.isOpen() && !session.file.named() && (ending || session.step >= kCheckpointInterval) &&
        !session.file.takeName()) {
        stopRecording();
    }
}

// The controls a Controls record stands for; nullptr for any other record.
const SimControls* controlsOf(const JournalRecord& r) {
    return r.kind == RecordKind::Controls ? &session.controls[static_cast<std::size_t>(r.value[0])] : nullptr;
}

void append(const JournalRecord& r) {
    session.records.push_back(r);
    session.cursor = session.records.size();
    if (session.file.isOpen()) {
        session.lastLineStart = session.unwritten.size();
        session.unwritten += formatRecord(r, controlsOf(r));
    }
}

// The last record was changed in place: its line in the file to be is
// written again in place of the old one (after it, if that is out already).
void rewriteLastLine() {
    if (!session.file.isOpen()) return;
    if (session.lastLineStart != kNoLine) session.unwritten.resize(session.lastLineStart);
    session.lastLineStart = session.unwritten.size();
    session.unwritten += formatRecord(session.records.back(), nullptr);
}

JournalRecord hashRecord(RecordKind kind) {
    JournalRecord r;
    r.kind = kind;
    r.step = session.step;
    r.value[0] = static_cast<long long>(sceneStateHash(sim));
    return r;
}

void takeKeyframe() {
    if (!session.keyframes.empty() && session.keyframes.back().step >= session.step) return;
    session.keyframes.emplace_back();
    Keyframe& k = session.keyframes.back();
    k.step = session.step;
    k.index = session.cursor;
    k.lastRead = session.lastRead;
    k.state = sim;
    k.view = session.view;
    k.contacts = session.contacts;
}

// Drops snapshots older than the history needs, then the journal in front
// of the oldest one.
void trimHistory() {
    // A replay keeps its start, so Shift+Page Up can go back to it: the
    // journal is the whole file in memory anyway. Gone on live past its
    // end, the history is trimmed as a live one.
    const std::size_t keep = session.replaying && session.newestStep <= session.replaySteps ? 1 : 0;
    while (session.keyframes.size() >= keep + 2 &&
           session.keyframes[keep + 1].step <= session.newestStep - kHistorySteps) {
        session.keyframes.erase(session.keyframes.begin() + static_cast<long>(keep));
    }
    const std::size_t dead = session.keyframes.front().index;
    if (dead < kTrimRecords || dead < session.records.size() / 2) return;
    session.records.erase(session.records.begin(), session.records.begin() + static_cast<long>(dead));
    session.cursor -= dead;
    session.stepEnd -= dead;
    session.lockedEnd = session.lockedEnd > dead ? session.lockedEnd - dead : 0;
    session.lastRecordedStep = session.lastRecordedStep > dead ? session.lastRecordedStep - dead : 0;
    for (Keyframe& k : session.keyframes) k.index -= dead;
    // The controls table loses what no record refers to any more.
    std::size_t firstUsed = session.controls.size();
    for (const JournalRecord& r : session.records) {
        if (r.kind == RecordKind::Controls) {
            firstUsed = static_cast<std::size_t>(r.value[0]);
            break;
        }
    }
    session.controls.erase(session.controls.begin(), session.controls.begin() + static_cast<long>(firstUsed));
    for (JournalRecord& r : session.records) {
        if (r.kind == RecordKind::Controls) r.value[0] -= static_cast<long long>(firstUsed);
    }
}

// A recording plays and has not reached its end.
bool replayPlaying() { return session.replaying && session.cursor < session.lockedEnd; }

// ---- live actions ----

void beginLiveAction() {
    const SimControls& now = sim.controls;
    if (!session.shadowValid || now != session.shadow) {
        JournalRecord r;
        r.kind = RecordKind::Controls;
        r.step = session.step + 1;
        r.value[0] = static_cast<long long>(session.controls.size());
        session.controls.push_back(now);
        append(r);
    }
    session.noted.clear();
}

void endLiveAction(const JournalRecord& action) {
    for (JournalRecord r : session.noted) {
        r.step = action.step;
        append(r);
    }
    append(action);
    session.shadow = sim.controls;
    session.shadowValid = true;
}

// The pointer only sets the pointer position, whatever else stands, so it
// needs no controls before it; and a position that the next one replaces
// before any step reads it never reaches the simulation: moves between two
// actions are kept as one record, the last, so a long pause with the mouse
// moving does not grow the journal.
void liveMotion(const InputEvent& event) {
    applyInputEvent(sim, event, liveReadings());
    if (session.shadowValid) {
        session.shadow.mouseX = sim.controls.mouseX;
        session.shadow.mouseY = sim.controls.mouseY;
    }
    JournalRecord* last = session.records.empty() ? nullptr : &session.records.back();
    if (last != nullptr && last->kind == RecordKind::Event && last->event.kind == InputKind::Motion &&
        last->step == session.step + 1 && behind() == false) {
        last->event = event;
        rewriteLastLine();
        return;
    }
    append(eventRecord(session.step + 1, event));
}

void liveEvent(const InputEvent& event) {
    if (event.kind == InputKind::Motion) {
        liveMotion(event);
        return;
    }
    beginLiveAction();
    NotingReadings noting;
    applyInputEvent(sim, event, noting);
    endLiveAction(eventRecord(session.step + 1, event));
}

// A hold reads nothing from outside and sets only the hold, so like the
// pointer it needs no controls before it, and a new target for the same
// ball before any step read the last one replaces it.
void liveDrag(int ball, const Vector3& target) {
    setDragHold(sim, ball, target);
    const JournalRecord r = dragRecord(session.step + 1, sim.drag.ball, sim.drag.target);
    JournalRecord* last = session.records.empty() ? nullptr : &session.records.back();
    if (last != nullptr && last->kind == RecordKind::Drag && last->step == r.step && last->event.a == r.event.a &&
        r.event.a >= 0 && !behind()) {
        *last = r;
        rewriteLastLine();
        return;
    }
    append(r);
}

void afterStep() {
    session.stepEnd = session.cursor;
    if (session.step % kSnapshotInterval == 0) takeKeyframe();
    trimHistory();
}

// A simulating step, and what it hands the display.
void runStep(Readings& readings, StepEvents& events) {
    events.contacts = &session.contacts;
    runSimulatingStep(sim, readings, events);
    advanceStepView(session.view, sim, events.endedFollow, live.viewer.selectedBall);
}

void liveStep(StepEvents& events) {
    beginLiveAction();
    NotingReadings noting;
    runStep(noting, events);
    JournalRecord r;
    r.kind = RecordKind::Step;
    r.step = session.step + 1;
    endLiveAction(r);
    session.step = r.step;
    session.newestStep = session.step;
    if (session.step % kCheckpointInterval == 0) {
        append(hashRecord(RecordKind::Checkpoint));
        flushRecording(false);
    }
    afterStep();
}

// ---- recorded actions ----

// A checkpoint or end record met in the journal: compared with the scene.
// How a recorded action is taken: as the watcher sees it (sound, checks),
// again on the way back to a step (neither), or forward along the timeline
// without frames (checks, no sound).
enum class Taking { Watched, Again, Forward };

void checkRecord(const JournalRecord& r, Taking taking) {
    if (taking == Taking::Again || !session.replaying || !session.outcome.matches) return;
    const std::uint64_t expected = static_cast<std::uint64_t>(r.value[0]);
    const std::uint64_t got = sceneStateHash(sim);
    if (got == expected) return;
    session.outcome.matches = false;
    session.outcome.divergedAt = session.step;
    session.outcome.expected = expected;
    session.outcome.got = got;
    const std::string verdict = "replay diverges at step " + std::to_string(session.step);
    if (session.announce) std::fprintf(stderr, "%s\n", verdict.c_str());
    showVerdict(live.notices, verdict);
}

// True when the replay's end is announced now.
bool replayEnded() {
    if (!session.replaying || session.announcedEnd || session.cursor < session.lockedEnd) return false;
    session.announcedEnd = true;
    showVerdict(live.notices, session.outcome.matches ? "replay matches: " + std::to_string(session.step) + " steps"
                                        : "replay diverges at step " + std::to_string(session.outcome.divergedAt));
    if (!session.announce) return true;
    if (session.outcome.matches) {
        char text[17];
        formatStateHash(sceneStateHash(sim), text);
        std::fprintf(stderr, "replay matches: %ld steps, final state %s\n", session.step, text);
    } else {
        std::fprintf(stderr, "replay ends at step %ld\n", session.step);
    }
    // The recorded session is over: it holds there, and P goes on live.
    if (sim.controls.paused == 0) togglePause(sim, live.scene, liveReadings());
    return true;
}

// Acts on the journal from the cursor through the next action (an input or
// a step) with the controls, clock readings and pick rays it recorded, and
// through the checkpoints after it. The viewer's camera, arrows and pause
// are set aside meanwhile. Returns true when a step ran.
bool runRecordedAction(Taking taking, StepEvents& events) {
    FedReadings fed;
    session.clockFeed.clear();
    session.rayFeed.clear();
    session.clockAt = 0;
    session.readsLeft = 0;
    session.rayAt = 0;
    const SimControls viewer = sim.controls;
    sim.controls = session.simControls;
    bool stepped = false;
    bool acted = false;
    while (session.cursor < session.records.size() && !acted) {
        const JournalRecord& r = session.records[session.cursor++];
        switch (r.kind) {
        case RecordKind::Controls:
            sim.controls = *controlsOf(r);
            break;
        case RecordKind::Clock:
            session.clockFeed.push_back(r);
            break;
        case RecordKind::Ray:
            session.rayFeed.push_back(r);
            break;
        case RecordKind::Checkpoint:
        case RecordKind::End:
            checkRecord(r, taking);
            break;
        case RecordKind::Back:
            break;
        case RecordKind::Drag:
            setDragHold(sim, r.event.a, dragTargetOf(r));
            acted = true;
            break;
        case RecordKind::Event:
        case RecordKind::Step: {
            const JournalRecord action = r;
            if (action.kind == RecordKind::Event) {
                applyInputEvent(sim, action.event, fed);
            } else {
                StepEvents step;
                runStep(fed, step);
                events.absorb(step, taking == Taking::Watched);
                session.step = action.step;
                if (session.step > session.newestStep) session.newestStep = session.step;
                stepped = true;
            }
            acted = true;
            break;
        }
        }
    }
    // Readings the action did not take still move the chain on, so the
    // next action reads what it read when recorded.
    while (session.clockAt < session.clockFeed.size())
        session.lastRead = static_cast<int>(session.lastRead + session.clockFeed[session.clockAt++].value[0]);
    if (stepped) {
        while (session.cursor < session.records.size() &&
               (session.records[session.cursor].kind == RecordKind::Checkpoint ||
                session.records[session.cursor].kind == RecordKind::End)) {
            checkRecord(session.records[session.cursor++], taking);
        }
    }
    session.simControls = sim.controls;
    if (stepped) afterStep();
    applyViewerControls(viewer, session.detached, sim.controls);
    if (!behind()) {
        // The journal's end: live from here, and the controls the viewer
        // brings along reach the journal with the next action.
        session.shadow = session.simControls;
        session.shadowValid = true;
    }
    if (stepped) {
        // The viewer's scene clock goes on from the step's, so flashes and
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
void takeReplayTail(StepEvents& events) {
    if (!session.replaying) return;
    while (session.cursor < session.lockedEnd && session.cursor > session.lastRecordedStep)
        runRecordedAction(Taking::Watched, events);
}

// Takes the journal's actions again without sound, until step `target` has
// run or the journal ends.
void runSilentlyTo(long target, StepEvents& events) {
    while (session.step < target && behind()) runRecordedAction(Taking::Again, events);
}

// Input while behind that changes the simulation: the steps ahead are
// dropped and the session goes on live from here. The file learns that the
// session went back, and gets again what was already done since.
void branch() {
    session.records.resize(session.cursor);
    while (!session.keyframes.empty() && session.keyframes.back().step > session.step) session.keyframes.pop_back();
    if (session.file.isOpen()) {
        JournalRecord back;
        back.kind = RecordKind::Back;
        back.step = session.step;
        session.unwritten += formatRecord(back, nullptr);
        for (std::size_t i = session.stepEnd; i < session.cursor; ++i)
            session.unwritten += formatRecord(session.records[i], controlsOf(session.records[i]));
        session.lastLineStart = kNoLine;
    }
    session.newestStep = session.step;
    session.shadow = session.simControls;
    session.shadowValid = true;
}

// A recording file opened before the session starts (before the window),
// its header written.
RecordingFile opened;

// A program that ends before its session starts (no display) leaves no
// part file behind.
void dropUnadopted() { opened.discard(); }

// The session takes over the opened file: the start's checkpoint goes out
// at once.
void adoptRecording() {
    if (!opened.isOpen()) return;
    session.file = std::move(opened);
    append(hashRecord(RecordKind::Checkpoint));
    flushRecording(false);
    session.keyframes.back().index = session.cursor;
    session.stepEnd = session.cursor;
}

bool arrowEvent(const InputEvent& e) {
    return (e.kind == InputKind::SpecialDown || e.kind == InputKind::SpecialUp) && eventRole(e) == EventRole::Viewer;
}

}  // namespace

void startSession() {
    session = Session();
    clearLastingNotice(live.notices);
    clearVerdict(live.notices);
    sim.stepsRun = 0;
    sim.stats = StepStats();
    sim.stepSceneTime = sceneMilliseconds(sim, liveReadings());
    // Step 0 is shown as a step's frame: the pulse's first move included.
    advanceStepView(session.view, sim, -1, live.viewer.selectedBall);
    takeKeyframe();
    adoptRecording();
}

bool openRecording(const char* path, const ReplayHeader& header, std::string& error) {
    if (!opened.open(path, formatReplayHeader(header), error)) return false;
    static const bool registered = std::atexit(dropUnadopted) == 0;
    (void)registered;
    return true;
}

bool startRecording(const char* path, const ReplayHeader& header, std::string& error) {
    if (!openRecording(path, header, error)) return false;
    adoptRecording();
    return true;
}

void startReplay(const Recording& recording, bool announce) {
    session.records = recording.records;
    session.controls = recording.controls;
    session.cursor = 0;
    session.lockedEnd = session.records.size();
    session.lastRecordedStep = 0;
    for (std::size_t i = 0; i < session.records.size(); ++i) {
        if (session.records[i].kind == RecordKind::Step) session.lastRecordedStep = i;
    }
    session.keyframes.back().index = 0;
    session.simControls = sim.controls;
    session.replaying = true;
    session.announce = announce;
    session.replaySteps = recording.steps;
}

void deliverInput(const InputEvent& event) {
    const EventRole role = eventRole(event);
    if (role == EventRole::Nothing) return;
    if (!behind()) {
        liveEvent(event);
        return;
    }
    if (role == EventRole::Viewer) {
        if (arrowEvent(event)) session.detached = true;
        applyInputEvent(sim, event, liveReadings());
        return;
    }
    // A replay ignores what would change its simulation; F1 and F2 set how
    // fast it plays instead.
    if (session.cursor < session.lockedEnd) {
        if (event.kind == InputKind::SpecialDown && (event.a == kKeyF1 || event.a == kKeyF2)) {
            changeReplaySpeed(event.a == kKeyF1 ? 1 : -1);
        }
        return;
    }
    branch();
    liveEvent(event);
}

void deliverDrag(int ball, const Vector3& target) {
    if (behind()) {
        // A replay is not dragged; a stepped-back scene goes on live from here.
        if (session.cursor < session.lockedEnd) return;
        branch();
        liveDrag(ball, target);
            return;
    }
    liveDrag(ball, target);
}

StepEvents sessionStep() {
    StepEvents events;
    if (!takeSimulationTurn(sim, live.scene)) {
        runPausedStep(sim, events);
        return events;
    }
    while (behind()) {
        if (runRecordedAction(Taking::Watched, events)) {
            // The watcher's own camera flies with its own arrows, once a
            // step, as the free camera does in a live step.
            if (session.detached) runPausedStep(sim, events);
            takeReplayTail(events);
            replayEnded();
                    return events;
        }
    }
    // A replay whose end was reached by a jump ends here: that turn runs no step.
    if (replayEnded()) {
            return events;
    }
    liveStep(events);
    return events;
}

namespace {

bool goBackTo(long target, StepEvents& events) {
    if (session.keyframes.empty()) return false;
    if (target < session.keyframes.front().step) target = session.keyframes.front().step;
    if (target >= session.step) return false;
    if (!behind()) {
        // The live camera stays with the viewer while the scene goes back.
        session.simControls = sim.controls;
        session.detached = true;
    }
    const SimControls viewer = sim.controls;
    std::size_t k = session.keyframes.size() - 1;
    while (session.keyframes[k].step > target) --k;
    const Keyframe& key = session.keyframes[k];
    sim = key.state;
    session.simControls = key.state.controls;
    session.cursor = key.index;
    session.stepEnd = key.index;
    session.step = key.step;
    session.lastRead = key.lastRead;
    session.view = key.view;
    session.contacts = key.contacts;
    // The steps in between are taken again silently.
    runSilentlyTo(target, events);
    sim.controls = session.simControls;
    applyViewerControls(viewer, session.detached, sim.controls);
    sim.controls.pausedSceneTime = sim.stepSceneTime;
    return true;
}

// Forward through the journal as O would go, without frames or sound.
bool goForwardTo(long target, StepEvents& events) {
    if (!behind() || target <= session.step) return false;
    while (session.step < target && behind()) runRecordedAction(Taking::Forward, events);
    if (session.cursor > session.lastRecordedStep) takeReplayTail(events);
    replayEnded();
    return true;
}

}  // namespace

bool stepBack(StepEvents& events) {
    if (sim.controls.paused == 0) return false;
    return goBackTo(session.step - 1, events);
}

bool jumpToStep(long target, StepEvents& events) {
    if (sim.controls.paused == 0) return false;
    return target < session.step ? goBackTo(target, events) : goForwardTo(target, events);
}

long sessionStepNumber() { return session.step; }

void changeReplaySpeed(int by) {
    int& speed = session.replaySpeed;
    speed += by;
    if (speed > 3) speed = 3;
    if (speed < -3) speed = -3;
}

int sessionStepsThisTurn() {
    const int speed = session.replaySpeed;
    if (!replayPlaying() || sim.controls.paused != 0 || speed == 0) return 1;
    if (speed > 0) return 1 << speed;
    session.slowTurn = (session.slowTurn + 1) % (1 << -speed);
    return session.slowTurn == 0 ? 1 : 0;
}

bool endSession() {
    if (!session.file.isOpen()) return !session.recordingFailed;
    // A scene gone back ends where the session had got to.
    StepEvents ignored;
    runSilentlyTo(std::numeric_limits<long>::max(), ignored);
    append(hashRecord(RecordKind::End));
    flushRecording(true);
    if (session.file.isOpen() && !session.file.close()) stopRecording();
    return !session.recordingFailed;
}

ReplayOutcome playReplayToEnd() {
    StepEvents ignored;
    while (behind() && session.outcome.matches) runRecordedAction(Taking::Watched, ignored);
    replayEnded();
    ReplayOutcome outcome = session.outcome;
    outcome.steps = session.step;
    if (outcome.matches) outcome.got = sceneStateHash(sim);
    return outcome;
}

long sessionMemoryBytes() {
    const std::size_t bytes = session.records.capacity() * sizeof(JournalRecord) +
                              session.controls.capacity() * sizeof(SimControls) +
                              session.keyframes.size() * sizeof(Keyframe);
    return static_cast<long>(bytes);
}

FrameLook sessionLook() {
    FrameLook look = lookAt(sim, session.view, &session.contacts, live.viewer.selectedBall);
    TimelineFigures& t = look.timeline;
    t.stepsBack = session.newestStep - session.step;
    t.stepsReach = session.keyframes.empty() ? 0 : session.step - session.keyframes.front().step;
    t.replaying = replayPlaying() ? 1 : 0;
    t.replayStep = session.step;
    t.replaySteps = session.replaySteps;
    t.replaySpeed = session.replaySpeed;
    return look;
}
