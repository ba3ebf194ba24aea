#include "app/session.h"

#include <cstdio>
#include <deque>
#include <limits>
#include <vector>

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
    std::size_t cursor = 0;     // the next record to act on; records.size() when live
    std::size_t stepEnd = 0;    // just after the records of the last step run
    std::size_t lockedEnd = 0;  // records before this come from a replayed file
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

Session S;

bool behind() { return S.cursor < S.records.size(); }

// Live actions: the real clock and pick rays, noted on the way.
struct NotingReadings final : Readings {
    int clock() override {
        const int now = liveReadings().clock();
        if (!S.noted.empty() && S.noted.back().kind == RecordKind::Clock && now == S.lastRead) {
            ++S.noted.back().value[1];
        } else {
            JournalRecord r;
            r.kind = RecordKind::Clock;
            r.value[0] = static_cast<long long>(now) - S.lastRead;
            r.value[1] = 1;
            S.noted.push_back(r);
        }
        S.lastRead = now;
        return now;
    }

    Vector3 pickRay(int x, int y, const Vector3& ahead) override {
        const Vector3 d = liveReadings().pickRay(x, y, ahead);
        S.noted.push_back(rayRecord(0, d));
        return d;
    }
};

// Recorded actions: the readings and rays the journal kept. Past its end
// (a diverging replay) the clock stands and rays look along the view.
struct FedReadings final : Readings {
    int clock() override {
        if (S.readsLeft == 0 && S.clockAt < S.clockFeed.size()) {
            const JournalRecord& run = S.clockFeed[S.clockAt++];
            S.lastRead = static_cast<int>(S.lastRead + run.value[0]);
            S.readsLeft = run.value[1];
        }
        if (S.readsLeft > 0) --S.readsLeft;
        return S.lastRead;
    }

    Vector3 pickRay(int, int, const Vector3& ahead) override {
        if (S.rayAt < S.rayFeed.size()) {
            return rayOf(S.rayFeed[S.rayAt++]);
        }
        return Unit(ahead);
    }
};

NotingReadings noting;
FedReadings fed;

// A write that failed ends the recording: the file keeps what it holds
// (an earlier file of its name untouched until the new one took it), the
// session goes on unrecorded, the corner says so while it does, and the
// exit status will.
void stopRecording() {
    S.recordingFailed = true;
    S.unwritten.clear();
    S.lastLineStart = kNoLine;
    const std::string& reason = S.file.failure();
    std::string kept = S.file.currentPath();
    kept += S.savedStep < 0 ? " holds only the header" : " holds the recording up to step " + std::to_string(S.savedStep);
    if (!S.file.named()) kept += ", " + S.file.path() + " is untouched";
    std::fprintf(stderr, "vennaloft: Recording stopped: %s (%s)\n", reason.c_str(), kept.c_str());
    showLastingNotice("Recording stopped: " + reason);
}

void writeOut() {
    if (!S.file.isOpen() || S.unwritten.empty()) return;
    const bool written = S.file.write(S.unwritten);
    S.unwritten.clear();
    S.lastLineStart = kNoLine;
    if (written) {
        S.savedStep = S.step;
    } else {
        stopRecording();
    }
}

// Whole checkpoints only reach the file, so a crash leaves a recording that
// ends at one. The new file takes the old one's name at the first
// checkpoint after the start, or at the end.
void flushRecording(bool ending) {
    if (!S.file.isOpen()) return;
    writeOut();
    if (S.file.isOpen() && !S.file.named() && (ending || S.step >= kCheckpointInterval) && !S.file.takeName()) {
        stopRecording();
    }
}

// The controls a Controls record stands for; nullptr for any other record.
const SimControls* controlsOf(const JournalRecord& r) {
    return r.kind == RecordKind::Controls ? &S.controls[static_cast<std::size_t>(r.value[0])] : nullptr;
}

void append(const JournalRecord& r) {
    S.records.push_back(r);
    S.cursor = S.records.size();
    if (S.file.isOpen()) {
        S.lastLineStart = S.unwritten.size();
        S.unwritten += formatRecord(r, controlsOf(r));
    }
}

// The last record was changed in place: its line in the file to be is
// written again in place of the old one (after it, if that is out already).
void rewriteLastLine() {
    if (!S.file.isOpen()) return;
    if (S.lastLineStart != kNoLine) S.unwritten.resize(S.lastLineStart);
    S.lastLineStart = S.unwritten.size();
    S.unwritten += formatRecord(S.records.back(), nullptr);
}

JournalRecord hashRecord(RecordKind kind) {
    JournalRecord r;
    r.kind = kind;
    r.step = S.step;
    r.value[0] = static_cast<long long>(sceneStateHash(sim));
    return r;
}

void takeKeyframe() {
    if (!S.keyframes.empty() && S.keyframes.back().step >= S.step) return;
    S.keyframes.emplace_back();
    Keyframe& k = S.keyframes.back();
    k.step = S.step;
    k.index = S.cursor;
    k.lastRead = S.lastRead;
    k.state = sim;
    k.view = S.view;
    k.contacts = S.contacts;
}

// Drops snapshots older than the history needs, then the journal in front
// of the oldest one.
void trimHistory() {
    // A replay keeps its start, so Shift+Page Up can go back to it: the
    // journal is the whole file in memory anyway. Gone on live past its
    // end, the history is trimmed as a live one.
    const std::size_t keep = S.replaying && S.newestStep <= S.replaySteps ? 1 : 0;
    while (S.keyframes.size() >= keep + 2 && S.keyframes[keep + 1].step <= S.newestStep - kHistorySteps) {
        S.keyframes.erase(S.keyframes.begin() + static_cast<long>(keep));
    }
    const std::size_t dead = S.keyframes.front().index;
    if (dead < kTrimRecords || dead < S.records.size() / 2) return;
    S.records.erase(S.records.begin(), S.records.begin() + static_cast<long>(dead));
    S.cursor -= dead;
    S.stepEnd -= dead;
    S.lockedEnd = S.lockedEnd > dead ? S.lockedEnd - dead : 0;
    S.lastRecordedStep = S.lastRecordedStep > dead ? S.lastRecordedStep - dead : 0;
    for (Keyframe& k : S.keyframes) k.index -= dead;
    // The controls table loses what no record refers to any more.
    std::size_t firstUsed = S.controls.size();
    for (const JournalRecord& r : S.records) {
        if (r.kind == RecordKind::Controls) {
            firstUsed = static_cast<std::size_t>(r.value[0]);
            break;
        }
    }
    S.controls.erase(S.controls.begin(), S.controls.begin() + static_cast<long>(firstUsed));
    for (JournalRecord& r : S.records) {
        if (r.kind == RecordKind::Controls) r.value[0] -= static_cast<long long>(firstUsed);
    }
}

void publish() {
    scene.historyStepsBack = S.newestStep - S.step;
    scene.historyReach = S.keyframes.empty() ? 0 : S.step - S.keyframes.front().step;
    scene.replaying = S.replaying && S.cursor < S.lockedEnd ? 1 : 0;
    scene.replayStep = S.step;
    scene.replaySteps = S.replaySteps;
}

// ---- live actions ----

void beginLiveAction() {
    const SimControls& now = sim.controls;
    if (!S.shadowValid || now != S.shadow) {
        JournalRecord r;
        r.kind = RecordKind::Controls;
        r.step = S.step + 1;
        r.value[0] = static_cast<long long>(S.controls.size());
        S.controls.push_back(now);
        append(r);
    }
    S.noted.clear();
}

void endLiveAction(const JournalRecord& action) {
    for (JournalRecord r : S.noted) {
        r.step = action.step;
        append(r);
    }
    append(action);
    S.shadow = sim.controls;
    S.shadowValid = true;
}

// The pointer only sets the pointer position, whatever else stands, so it
// needs no controls before it; and a position that the next one replaces
// before any step reads it never reaches the simulation: moves between two
// actions are kept as one record, the last, so a long pause with the mouse
// moving does not grow the journal.
void liveMotion(const InputEvent& event) {
    applyInputEvent(sim, event);
    if (S.shadowValid) {
        S.shadow.mouseX = sim.controls.mouseX;
        S.shadow.mouseY = sim.controls.mouseY;
    }
    JournalRecord* last = S.records.empty() ? nullptr : &S.records.back();
    if (last != nullptr && last->kind == RecordKind::Event && last->event.kind == InputKind::Motion &&
        last->step == S.step + 1 && behind() == false) {
        last->event = event;
        rewriteLastLine();
        return;
    }
    append(eventRecord(S.step + 1, event));
}

void liveEvent(const InputEvent& event) {
    if (event.kind == InputKind::Motion) {
        liveMotion(event);
        return;
    }
    beginLiveAction();
    applyInputEvent(sim, event, noting);
    endLiveAction(eventRecord(S.step + 1, event));
}

// A hold reads nothing from outside and sets only the hold, so like the
// pointer it needs no controls before it, and a new target for the same
// ball before any step read the last one replaces it.
void liveDrag(int ball, const Vector3& target) {
    setDragHold(sim, ball, target);
    const JournalRecord r = dragRecord(S.step + 1, sim.drag.ball, sim.drag.target);
    JournalRecord* last = S.records.empty() ? nullptr : &S.records.back();
    if (last != nullptr && last->kind == RecordKind::Drag && last->step == r.step && last->event.a == r.event.a &&
        r.event.a >= 0 && !behind()) {
        *last = r;
        rewriteLastLine();
        return;
    }
    append(r);
}

void afterStep() {
    S.stepEnd = S.cursor;
    if (S.step % kSnapshotInterval == 0) takeKeyframe();
    trimHistory();
}

// A simulating step, and what it hands the display.
void runStep(Readings& readings, StepEvents& events) {
    events.contacts = &S.contacts;
    runSimulatingStep(sim, readings, events);
    advanceStepView(S.view, sim, events.endedFollow);
}

void liveStep(StepEvents& events) {
    beginLiveAction();
    runStep(noting, events);
    JournalRecord r;
    r.kind = RecordKind::Step;
    r.step = S.step + 1;
    endLiveAction(r);
    S.step = r.step;
    S.newestStep = S.step;
    if (S.step % kCheckpointInterval == 0) {
        append(hashRecord(RecordKind::Checkpoint));
        flushRecording(false);
    }
    afterStep();
}

// ---- recorded actions ----

// A checkpoint or end record met in the journal: compared with the scene.
void checkRecord(const JournalRecord& r, bool quiet) {
    if (quiet || !S.replaying || !S.outcome.matches) return;
    const std::uint64_t expected = static_cast<std::uint64_t>(r.value[0]);
    const std::uint64_t got = sceneStateHash(sim);
    if (got == expected) return;
    S.outcome.matches = false;
    S.outcome.divergedAt = S.step;
    S.outcome.expected = expected;
    S.outcome.got = got;
    const std::string verdict = "replay diverges at step " + std::to_string(S.step);
    if (S.announce) std::fprintf(stderr, "%s\n", verdict.c_str());
    showVerdict(verdict);
}

// True when the replay's end is announced now.
bool replayEnded() {
    if (!S.replaying || S.announcedEnd || S.cursor < S.lockedEnd) return false;
    S.announcedEnd = true;
    showVerdict(S.outcome.matches ? "replay matches: " + std::to_string(S.step) + " steps"
                                  : "replay diverges at step " + std::to_string(S.outcome.divergedAt));
    if (!S.announce) return true;
    if (S.outcome.matches) {
        char text[17];
        formatStateHash(sceneStateHash(sim), text);
        std::fprintf(stderr, "replay matches: %ld steps, final state %s\n", S.step, text);
    } else {
        std::fprintf(stderr, "replay ends at step %ld\n", S.step);
    }
    // The recorded session is over: it holds there, and P goes on live.
    if (sim.controls.paused == 0) togglePause(sim);
    return true;
}

// Acts on the journal from the cursor through the next action (an input or
// a step) with the controls, clock readings and pick rays it recorded, and
// through the checkpoints after it. The viewer's camera, arrows and pause
// are set aside meanwhile. Returns true when a step ran. `quiet`: taken
// again (no sound, no checks, no view kept); `jumping`: forward along the
// timeline without frames (checks, but no sound and no view kept).
bool runRecordedAction(bool quiet, StepEvents& events, bool jumping = false) {
    S.clockFeed.clear();
    S.rayFeed.clear();
    S.clockAt = 0;
    S.readsLeft = 0;
    S.rayAt = 0;
    const SimControls viewer = sim.controls;
    sim.controls = S.simControls;
    bool stepped = false;
    bool acted = false;
    while (S.cursor < S.records.size() && !acted) {
        const JournalRecord& r = S.records[S.cursor++];
        switch (r.kind) {
        case RecordKind::Controls:
            sim.controls = *controlsOf(r);
            break;
        case RecordKind::Clock:
            S.clockFeed.push_back(r);
            break;
        case RecordKind::Ray:
            S.rayFeed.push_back(r);
            break;
        case RecordKind::Checkpoint:
        case RecordKind::End:
            checkRecord(r, quiet);
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
                events.absorb(step, !quiet && !jumping);
                S.step = action.step;
                if (S.step > S.newestStep) S.newestStep = S.step;
                stepped = true;
            }
            acted = true;
            break;
        }
        }
    }
    // Readings the action did not take still move the chain on, so the
    // next action reads what it read when recorded.
    while (S.clockAt < S.clockFeed.size()) S.lastRead = static_cast<int>(S.lastRead + S.clockFeed[S.clockAt++].value[0]);
    if (stepped) {
        while (S.cursor < S.records.size() &&
               (S.records[S.cursor].kind == RecordKind::Checkpoint || S.records[S.cursor].kind == RecordKind::End)) {
            checkRecord(S.records[S.cursor++], quiet);
        }
    }
    S.simControls = sim.controls;
    if (stepped) afterStep();
    applyViewerControls(viewer, S.detached, sim.controls);
    if (!behind()) {
        // The journal's end: live from here, and the controls the viewer
        // brings along reach the journal with the next action.
        S.shadow = S.simControls;
        S.shadowValid = true;
    }
    if (stepped) {
        // The viewer's scene clock goes on from the step's, so flashes and
        // contact marks age from where the step left them.
        if (sim.controls.paused != 0) {
            sim.controls.pausedSceneTime = sim.stepSceneTime;
        } else {
            sim.controls.pausedTotal = shiftedReading(liveReadings().clock(), -static_cast<long long>(sim.stepSceneTime));
        }
    }
    return stepped;
}

// The end of a replay is its last recorded step: what the file holds after
// it (a pointer move before Escape, the end record) is taken with it.
void takeReplayTail(StepEvents& events) {
    if (!S.replaying) return;
    while (S.cursor < S.lockedEnd && S.cursor > S.lastRecordedStep) runRecordedAction(false, events);
}

// Takes the journal's actions again without sound, until step `target` has
// run or the journal ends.
void runSilentlyTo(long target, StepEvents& events) {
    while (S.step < target && behind()) runRecordedAction(true, events);
}

// Input while behind that changes the simulation: the steps ahead are
// dropped and the session goes on live from here. The file learns that the
// session went back, and gets again what was already done since.
void branch() {
    S.records.resize(S.cursor);
    while (!S.keyframes.empty() && S.keyframes.back().step > S.step) S.keyframes.pop_back();
    if (S.file.isOpen()) {
        JournalRecord back;
        back.kind = RecordKind::Back;
        back.step = S.step;
        S.unwritten += formatRecord(back, nullptr);
        for (std::size_t i = S.stepEnd; i < S.cursor; ++i) S.unwritten += formatRecord(S.records[i], controlsOf(S.records[i]));
        S.lastLineStart = kNoLine;
    }
    S.newestStep = S.step;
    S.shadow = S.simControls;
    S.shadowValid = true;
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
    S.file = std::move(opened);
    append(hashRecord(RecordKind::Checkpoint));
    flushRecording(false);
    S.keyframes.back().index = S.cursor;
    S.stepEnd = S.cursor;
}

bool arrowEvent(const InputEvent& e) {
    return (e.kind == InputKind::SpecialDown || e.kind == InputKind::SpecialUp) && eventRole(e) == EventRole::Viewer;
}

}  // namespace

void startSession() {
    S = Session();
    clearLastingNotice();
    clearVerdict();
    sim.stepsRun = 0;
    sim.stats = StepStats();
    sim.stepSceneTime = sceneMilliseconds(sim);
    // Step 0 is shown as a step's frame: the pulse's first move included.
    advanceStepView(S.view, sim, -1);
    takeKeyframe();
    adoptRecording();
    publish();
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
    S.records = recording.records;
    S.controls = recording.controls;
    S.cursor = 0;
    S.lockedEnd = S.records.size();
    S.lastRecordedStep = 0;
    for (std::size_t i = 0; i < S.records.size(); ++i) {
        if (S.records[i].kind == RecordKind::Step) S.lastRecordedStep = i;
    }
    S.keyframes.back().index = 0;
    S.simControls = sim.controls;
    S.replaying = true;
    S.announce = announce;
    S.replaySteps = recording.steps;
    publish();
}

void deliverInput(const InputEvent& event) {
    const EventRole role = eventRole(event);
    if (role == EventRole::Nothing) return;
    if (!behind()) {
        liveEvent(event);
        return;
    }
    if (role == EventRole::Viewer) {
        if (arrowEvent(event)) S.detached = true;
        applyInputEvent(sim, event);
        return;
    }
    // A replay ignores what would change its simulation; F1 and F2 set how
    // fast it plays instead.
    if (S.cursor < S.lockedEnd) {
        if (event.kind == InputKind::SpecialDown && (event.a == kKeyF1 || event.a == kKeyF2)) {
            changeReplaySpeed(event.a == kKeyF1 ? 1 : -1);
        }
        return;
    }
    branch();
    liveEvent(event);
    publish();
}

void deliverDrag(int ball, const Vector3& target) {
    if (behind()) {
        // A replay is not dragged; a stepped-back scene goes on live from here.
        if (S.cursor < S.lockedEnd) return;
        branch();
        liveDrag(ball, target);
        publish();
        return;
    }
    liveDrag(ball, target);
}

StepEvents sessionStep() {
    StepEvents events;
    if (!takeSimulationTurn(sim)) {
        runPausedStep(sim, events);
        return events;
    }
    while (behind()) {
        if (runRecordedAction(false, events)) {
            // The watcher's own camera flies with its own arrows, once a
            // step, as the free camera does in a live step.
            if (S.detached) runPausedStep(sim, events);
            takeReplayTail(events);
            replayEnded();
            publish();
            return events;
        }
    }
    // A replay whose end was reached by a jump ends here: that turn runs no step.
    if (replayEnded()) {
        publish();
        return events;
    }
    liveStep(events);
    publish();
    return events;
}

namespace {

bool goBackTo(long target, StepEvents& events) {
    if (S.keyframes.empty()) return false;
    if (target < S.keyframes.front().step) target = S.keyframes.front().step;
    if (target >= S.step) return false;
    if (!behind()) {
        // The live camera stays with the viewer while the scene goes back.
        S.simControls = sim.controls;
        S.detached = true;
    }
    const SimControls viewer = sim.controls;
    std::size_t k = S.keyframes.size() - 1;
    while (S.keyframes[k].step > target) --k;
    const Keyframe& key = S.keyframes[k];
    sim = key.state;
    S.simControls = key.state.controls;
    S.cursor = key.index;
    S.stepEnd = key.index;
    S.step = key.step;
    S.lastRead = key.lastRead;
    S.view = key.view;
    S.contacts = key.contacts;
    // The steps in between are taken again silently.
    runSilentlyTo(target, events);
    sim.controls = S.simControls;
    applyViewerControls(viewer, S.detached, sim.controls);
    sim.controls.pausedSceneTime = sim.stepSceneTime;
    publish();
    return true;
}

// Forward through the journal as O would go, without frames or sound.
bool goForwardTo(long target, StepEvents& events) {
    if (!behind() || target <= S.step) return false;
    while (S.step < target && behind()) runRecordedAction(false, events, true);
    if (S.cursor > S.lastRecordedStep) takeReplayTail(events);
    replayEnded();
    publish();
    return true;
}

int replaySpeedTurn = 0;

}  // namespace

bool stepBack(StepEvents& events) {
    if (sim.controls.paused == 0) return false;
    return goBackTo(S.step - 1, events);
}

bool jumpToStep(long target, StepEvents& events) {
    if (sim.controls.paused == 0) return false;
    return target < S.step ? goBackTo(target, events) : goForwardTo(target, events);
}

long sessionStepNumber() { return S.step; }

void changeReplaySpeed(int by) {
    scene.replaySpeed += by;
    if (scene.replaySpeed > 3) scene.replaySpeed = 3;
    if (scene.replaySpeed < -3) scene.replaySpeed = -3;
}

int sessionStepsThisTurn() {
    if (scene.replaying == 0 || sim.controls.paused != 0 || scene.replaySpeed == 0) return 1;
    if (scene.replaySpeed > 0) return 1 << scene.replaySpeed;
    replaySpeedTurn = (replaySpeedTurn + 1) % (1 << -scene.replaySpeed);
    return replaySpeedTurn == 0 ? 1 : 0;
}

bool endSession() {
    if (!S.file.isOpen()) return !S.recordingFailed;
    // A scene gone back ends where the session had got to.
    StepEvents ignored;
    runSilentlyTo(std::numeric_limits<long>::max(), ignored);
    append(hashRecord(RecordKind::End));
    flushRecording(true);
    if (S.file.isOpen() && !S.file.close()) stopRecording();
    return !S.recordingFailed;
}

ReplayOutcome playReplayToEnd() {
    StepEvents ignored;
    while (behind() && S.outcome.matches) runRecordedAction(false, ignored);
    replayEnded();
    ReplayOutcome outcome = S.outcome;
    outcome.steps = S.step;
    if (outcome.matches) outcome.got = sceneStateHash(sim);
    publish();
    return outcome;
}

long sessionMemoryBytes() {
    const std::size_t bytes = S.records.capacity() * sizeof(JournalRecord) +
                              S.controls.capacity() * sizeof(SimControls) + S.keyframes.size() * sizeof(Keyframe);
    return static_cast<long>(bytes);
}

FrameLook sessionLook() { return lookAt(sim, S.view, &S.contacts); }

void holdGlowPulse(float pulse) {
    S.view.glowPulse = pulse;
    S.view.glowPulseStep = 0.0f;
    S.view.glowAlpha = 1.0f - pulse;
    for (float& scale : S.view.glowScales) scale = pulse;
}
