// The key table is the one list of keys: the help texts (and through the
// help panel the page's key list) print it, the session records by it, the
// man page must name exactly its keys and the page's buttons only its keys.
// Letter keys never reach the journal, so none of them may change the
// simulation.

#include "input/key_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

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

TEST(KeyTable, TheManPageNamesExactlyItsKeysAndThePageOnlyItsKeys) {
    std::set<std::string> table;
    for (int i = 0; i < kKeyLineCount; ++i) {
        for (const Key& key : kKeyLines[i].keys) {
            if (key.name != nullptr) table.insert(key.name);
        }
    }
    EXPECT_EQ(manPageKeys(), table);

    // The page's key list comes from the help panel; the buttons it carries
    // for touch screens must press keys the program answers.
    const std::string page = fileText(VL_SOURCE_DIR "/web/index.html");
    const std::regex keyButton("data-(special|char)=\"([^\"]+)\"");
    int buttons = 0;
    for (std::sregex_iterator m(page.begin(), page.end(), keyButton), end; m != end; ++m, ++buttons) {
        const bool special = (*m)[1] == "special";
        const std::string value = (*m)[2];
        const KeyLine* line =
            special ? findKey(KeyKind::Special, std::stoi(value)) : findKey(KeyKind::Letter, value[0]);
        EXPECT_NE(line, nullptr) << (*m)[0];
    }
    EXPECT_GT(buttons, 0);
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
