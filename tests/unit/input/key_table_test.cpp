// The key table is the one list of keys: the help texts (and through the
// help panel the page's key list) print it, the session records by it, the
// man page must name exactly its keys, README every one of them, and the
// page's buttons only its keys, each labelled with its key.
// Letter keys never reach the journal, so none of them may change the
// simulation.

#include "input/key_table.h"

#include <gtest/gtest.h>

#include "input/help_text.h"
#include "input/key_codes.h"

#include <cstdio>
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

// The key names of README's Controls table: its first column, split at
// " / ", without "(held)".
std::set<std::string> readmeKeys() {
    std::istringstream readme(fileText(VL_SOURCE_DIR "/README.md"));
    std::set<std::string> names;
    std::string line;
    bool inControls = false;
    while (std::getline(readme, line)) {
        if (line.rfind("## ", 0) == 0) inControls = line == "## Controls";
        if (!inControls || line.rfind("| ", 0) != 0) continue;
        std::string cell = line.substr(2, line.find(" |", 1) - 2);
        const std::size_t held = cell.find(" (held)");
        if (held != std::string::npos) cell.erase(held);
        for (std::size_t cut; (cut = cell.find(" / ")) != std::string::npos;) {
            names.insert(cell.substr(0, cut));
            cell = cell.substr(cut + 3);
        }
        names.insert(cell);
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
    // README's table adds rows for the wheel, the middle button and replays.
    const std::set<std::string> readme = readmeKeys();
    for (const std::string& name : table) EXPECT_EQ(readme.count(name), 1u) << name << " missing from README";

    // The page's key list comes from the help panel; the buttons it carries
    // for touch screens must press keys the program answers, and say which.
    const std::string page = fileText(VL_SOURCE_DIR "/web/index.html");
    const std::regex keyButton("data-(special|char)=\"([^\"]+)\" aria-label=\"([^\"]+)\"");
    int buttons = 0;
    for (std::sregex_iterator m(page.begin(), page.end(), keyButton), end; m != end; ++m, ++buttons) {
        const bool special = (*m)[1] == "special";
        const std::string value = (*m)[2];
        const Key* key = special ? keyFor(KeyKind::Special, std::stoi(value), 0) : keyFor(KeyKind::Letter, value[0], 0);
        ASSERT_NE(key, nullptr) << (*m)[0];
        EXPECT_EQ((*m)[3].str().rfind(std::string(key->name) + " ", 0), 0u) << (*m)[0];
    }
    EXPECT_GT(buttons, 0);
}

// The help panel and "--help" print the edit lines themselves; the
// written texts must carry the same words.
TEST(KeyTable, EditingABallIsSaidInTheSameWordsEverywhere) {
    for (const char* file : {"/README.md", "/dist/vennaloft.6.in", "/web/index.html"}) {
        // Lines may break anywhere in a sentence.
        std::string text = fileText(std::string(VL_SOURCE_DIR) + file);
        for (char& c : text) c = c == '\n' ? ' ' : c;
        for (const char* line : kEditHelpLines) EXPECT_NE(text.find(line), std::string::npos) << file << ": " << line;
    }
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

// The options of "--help"'s usage lines are the man page's synopsis.
TEST(KeyTable, TheManPageSynopsisHasTheOptionsOfTheHelp) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    printHelp(out);
    std::rewind(out);
    std::string help;
    for (int c; (c = std::fgetc(out)) != EOF;) help += static_cast<char>(c);
    std::fclose(out);
    const std::string usage = help.substr(0, help.find("\n\n"));

    const std::string page = fileText(VL_SOURCE_DIR "/dist/vennaloft.6.in");
    const std::size_t from = page.find(".SH SYNOPSIS");
    std::string synopsis = page.substr(from, page.find(".SH", from + 1) - from);
    for (std::size_t at; (at = synopsis.find("\\-")) != std::string::npos;) synopsis.replace(at, 2, "-");

    const std::regex option("-[-a-z]+");
    int options = 0;
    for (std::sregex_iterator m(usage.begin(), usage.end(), option), end; m != end; ++m, ++options) {
        EXPECT_TRUE(std::regex_search(synopsis, std::regex("(^|[ |])" + m->str() + "\\b"))) << m->str();
    }
    EXPECT_GT(options, 8);
}

// A key as pressed finds the action it stands for: Shift picks a special
// key's Shift variant where there is one and is otherwise no different; a
// capital letter is its small one unless it has a line of its own.
TEST(KeyTable, APressFindsItsAction) {
    struct Case {
        KeyKind kind;
        int code;
        int modifiers;
        KeyAction action;  // None: the program does not answer it
    };
    const Case cases[] = {
        {KeyKind::Special, kKeyPageUp, 0, KeyAction::HundredBack},
        {KeyKind::Special, kKeyPageUp, kModifierShift, KeyAction::FirstKept},
        {KeyKind::Special, kKeyPageDown, kModifierShift | kModifierCtrl, KeyAction::LastKept},
        {KeyKind::Special, kKeyF1, kModifierShift, KeyAction::Faster},
        {KeyKind::Special, kKeyLeft, 0, KeyAction::CircleLeft},
        {KeyKind::Special, 12, 0, KeyAction::None},
        {KeyKind::Letter, 'P', 0, KeyAction::Pause},
        {KeyKind::Letter, 'v', 0, KeyAction::CollisionView},
        {KeyKind::Letter, 'V', 0, KeyAction::CollisionLayers},
        {KeyKind::Letter, 27, 0, KeyAction::Quit},
        {KeyKind::Letter, 'x', 0, KeyAction::None},
        {KeyKind::Button, kRightButton, 0, KeyAction::FireAndFollow},
    };
    for (const Case& c : cases) {
        const Key* key = keyFor(c.kind, c.code, c.modifiers);
        EXPECT_EQ(key != nullptr ? key->action : KeyAction::None, c.action) << c.code << " with " << c.modifiers;
    }
    // Every key the help names stands for an action.
    for (int i = 0; i < kKeyLineCount; ++i) {
        for (const Key& key : kKeyLines[i].keys) {
            if (key.name != nullptr) {
                EXPECT_NE(key.action, KeyAction::None) << key.name;
            }
        }
    }
}

}  // namespace
