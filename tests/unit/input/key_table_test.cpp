// The key table is the one list of keys: the help texts print it, the
// session records by it, and the man page and the page must name exactly
// its keys. Letter keys never reach the journal, so none of them may
// change the simulation.

#include "input/key_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "input/key_codes.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The key names of the man page's CONTROLS section: each ".B" line, split
// at "\fR/\fP".
std::set<std::string> manPageKeys() {
    std::istringstream page(fileText(VL_SOURCE_DIR "/dist/vennaloft.6.in"));
    std::set<std::string> names;
    std::string line;
    bool inControls = false;
    while (std::getline(page, line)) {
        if (line.rfind(".SH", 0) == 0) inControls = line == ".SH CONTROLS";
        if (!inControls || line.rfind(".B ", 0) != 0) continue;
        std::string rest = line.substr(3);
        for (std::size_t cut; (cut = rest.find(" \\fR/\\fP ")) != std::string::npos;) {
            names.insert(rest.substr(0, cut));
            rest = rest.substr(cut + 9);
        }
        names.insert(rest);
    }
    return names;
}

TEST(KeyTable, TheManPageAndThePageNameExactlyTheTablesKeys) {
    std::set<std::string> table;
    std::set<int> functionKeys;
    for (int i = 0; i < kKeyLineCount; ++i) {
        for (const Key& key : kKeyLines[i].keys) {
            if (key.name == nullptr) continue;
            table.insert(key.name);
            if (key.kind == KeyKind::Special && key.code >= kKeyF1 && key.code <= 12) functionKeys.insert(key.code);
        }
    }
    EXPECT_EQ(manPageKeys(), table);

    // The page offers a button for every function key, which a browser may keep for itself.
    const std::string page = fileText(VL_SOURCE_DIR "/web/index.html");
    std::set<int> buttons;
    const std::regex dataKey("data-key=\"([0-9]+)\"");
    for (std::sregex_iterator m(page.begin(), page.end(), dataKey), end; m != end; ++m) {
        buttons.insert(std::stoi((*m)[1]));
    }
    EXPECT_EQ(buttons, functionKeys);
}

TEST(KeyTable, LetterKeysOnlySteerWhatIsWatched) {
    for (int i = 0; i < kKeyLineCount; ++i) {
        for (const Key& key : kKeyLines[i].keys) {
            if (key.name != nullptr && key.kind == KeyKind::Letter) {
                EXPECT_EQ(kKeyLines[i].role, KeyRole::View) << key.name;
            }
        }
    }
}

}  // namespace
