// Feeds arbitrary bytes to the recording reader. Whatever it accepts must
// be whole: every controls record points into the table, the steps run in
// order, and writing the records out again gives a text it reads back to
// the same records.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "input/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Recording recording;
    std::string error;
    if (!parseReplayText(reinterpret_cast<const char*>(data), size, recording, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) abort();
        if (!recording.records.empty()) abort();
        return 0;
    }
    std::string text = formatReplayHeader(recording.header);
    long step = 0;
    for (const JournalRecord& r : recording.records) {
        const SimControls* controls = nullptr;
        if (r.kind == RecordKind::Controls) {
            if (r.value[0] < 0 || static_cast<std::size_t>(r.value[0]) >= recording.controls.size()) abort();
            controls = &recording.controls[static_cast<std::size_t>(r.value[0])];
        }
        if (r.kind == RecordKind::Step) {
            if (r.step != step + 1) abort();
            step = r.step;
        }
        text += formatRecord(r, controls);
    }
    if (step != recording.steps) abort();
    Recording again;
    if (!parseReplayText(text.data(), text.size(), again, error)) abort();
    if (again.records.size() != recording.records.size() || again.steps != recording.steps) abort();
    for (std::size_t i = 0; i < again.records.size(); ++i) {
        const JournalRecord& a = again.records[i];
        const JournalRecord& b = recording.records[i];
        if (a.kind != b.kind || a.step != b.step || a.value[0] != b.value[0] || a.value[1] != b.value[1] ||
            a.value[2] != b.value[2]) {
            abort();
        }
    }
    return 0;
}
