#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "graphics/Image.h"
#include "level/Level.h"
#include "level/LevelReader.h"
#include "objects/Platform.h"
#include "objects/Trap.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::ScopedTempDir;
using testsupport::writeFile;
using Fate = LevelReader::Fate;
using End = LevelReader::End;

namespace {

// A level text with one probe line marked by a leading '>'.
struct Probe {
    std::string text;
    int line = 0;
};

Probe probe(const std::string& marked) {
    Probe result;
    std::istringstream in(marked);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line[0] == '>') {
            line.erase(0, 1);
            result.line = number;
        }
        result.text += line + "\n";
    }
    return result;
}

// The same text with the probe line turned into a comment, so every other line keeps its number.
std::string withoutProbe(const Probe& p) {
    std::istringstream in(p.text);
    std::string text;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        text += (number == p.line ? "; -" : line) + "\n";
    }
    return text;
}

const LevelReader::Entry* entryAt(const LevelReader& reading, int line) {
    for (const LevelReader::Section& section : reading.sections()) {
        for (const LevelReader::Entry& entry : section.entries) {
            if (entry.line == line) {
                return &entry;
            }
        }
    }
    return nullptr;
}

void describe(std::ostream& out, const Image* image) {
    if (image == nullptr) {
        out << "no image";
        return;
    }
    out << image->width << "x" << image->height << "+" << image->x << "," << image->y << " frame " << image->frameWidth
        << "x" << image->frameHeight << (image->flipped ? " flipped" : "");
}

// Everything a level file sets that the game keeps, apart from the random phases.
std::string state(const Level& level) {
    std::ostringstream out;
    out << level.width << " " << level.height << " " << level.spawnX << " " << level.spawnY << " goal " << level.goal.x
        << "," << level.goal.y << " ";
    describe(out, &level.goal);
    out << " next " << level.nextMap << " music " << level.music << "\nbackground ";
    describe(out, level.background);
    for (const auto* list : {&level.backDecorations, &level.frontDecorations}) {
        for (const Decoration* decoration : *list) {
            out << "\ndecoration " << decoration->x << "," << decoration->y << " z " << decoration->z
                << (decoration->floating ? " floating " : " ") << (decoration->still ? "still " : "");
            describe(out, decoration);
        }
    }
    for (const Platform* platform : level.platforms) {
        out << "\nplatform " << platform->x << "," << platform->y << " " << platform->width << "x" << platform->height
            << " ";
        describe(out, platform->image);
    }
    for (const Trap* trap : level.traps) {
        out << "\ntrap " << trap->baseX << "," << trap->baseY << " float " << trap->floatX << "," << trap->floatY << " "
            << trap->width << "x" << trap->height << " ";
        describe(out, trap->image);
    }
    return out.str();
}

struct Loaded {
    std::string state;
    std::string log;
};

Loaded load(const std::string& text) {
    writeFile("data/probe.level", text);
    LogCapture log;
    Level level;
    EXPECT_TRUE(level.loadFromFile("probe.level"));
    return Loaded{state(level), log.text()};
}

struct FateCase {
    const char* text;
    Fate fate;
    bool carriedOut;
    int laterLine;
    const char* knownKey;
};

const FateCase fateCases[] = {
    {"[Properties]\n>width: 700\nend", Fate::Applied, true, 0, ""},
    {"[Properties]\n>Width: 700\nend", Fate::WrongCase, false, 0, "width"},
    {"[Properties]\n> width: 700\nend", Fate::UnknownKey, false, 0, "width"},
    {"[Properties]\n>colour: red\nend", Fate::UnknownKey, false, 0, ""},
    {"[Properties]\n>winx: 5\nwinimg: a.png\nend", Fate::TooEarly, true, 3, ""},
    {"[Properties]\n>winy: 5\nend\n[Properties]\nwinimg: a.png\nend", Fate::TooEarly, true, 5, ""},
    {"[Properties]\nwinimg: a.png\n>winx: 5\nend", Fate::Applied, true, 0, ""},
    {"[Properties]\n>music: x.ogg\nend\n[Properties]\nmusic: y.ogg\nend", Fate::Overridden, true, 5, ""},
    {"[BG]\n>img: a.png\nend\n[bg]\nimg: b.png\nend", Fate::Overridden, true, 5, ""},
    {"[Decoration]\nimg: a.png\n>floating: YES\nend", Fate::WordNotTaken, false, 0, ""},
    {"[Decoration]\nimg: a.png\n>floating: True\nend", Fate::Applied, true, 0, ""},
    {"[Decoration]\nimg: a.png\n>still: yes\nend", Fate::Applied, true, 0, ""},
    {"[Decoration]\nimg: a.png\n>still: ON\nend", Fate::WordNotTaken, false, 0, ""},
    {"[Decoration]\nimg: a.png\n>flip: true\nend", Fate::WordNotTaken, false, 0, ""},
    {"[Decoration]\nimg: a.png\n>mirror: ON\nend", Fate::Applied, true, 0, ""},
    {"[Decoration]\n>x: 5\nimg: a.png\nend", Fate::TooEarly, true, 3, ""},
    {"[Decoration]\n>z: 5\nimg: a.png\nend", Fate::Applied, true, 0, ""},
    {"[Decoration]\n>img: a.png\nimg: b.png\nend", Fate::Overridden, true, 3, ""},
    {"[Decoration]\nimg: a.png\n>END\nend", Fate::WrongCase, false, 0, "end"},
    {"[Platform]\n>xOffset: 4\nimg: a.png\nend", Fate::TooEarly, false, 0, ""},
    {"[Platform]\n>flip: yes\nimg: a.png\nend", Fate::TooEarly, false, 0, ""},
    {"[Platform]\n>x: 4\nimg: a.png\nend", Fate::Applied, true, 0, ""},
    {"[Platform]\nimg: a.png\n>yOffset: 2\nimg: b.png\nend", Fate::TooEarly, true, 4, ""},
    {"[Platform]\nimg: a.png\n>flipped: ON\nimg: b.png\nend", Fate::Applied, true, 0, ""},
    {"[Platform]\n>H: 5\nend", Fate::WrongCase, false, 0, "h"},
    {"[Platform]\n>w: 1\nw: 2\nend", Fate::Overridden, true, 3, ""},
    {"[Platform]\n>w: 1\nend\n[Platform]\nw: 2\nend", Fate::Applied, true, 0, ""},
    {"[Trap]\n>partition: 2\nimg: a.png\nend", Fate::TooEarly, true, 0, ""},
    {"[Trap]\nimg: a.png\n>partition: 2\nimg: b.png\nend", Fate::Applied, true, 0, ""},
    {"[Trap]\nimg: a.png\n>partition: 2\npartition: 4\nend", Fate::Overridden, true, 4, ""},
    {"[Trap]\nimg: a.png\n>partition: 2\npartition: 0\nend", Fate::Applied, true, 0, ""},
    {"[Trap]\n>xfloating: 5\nyfloating: 3\nxfloating: 6\nend", Fate::Overridden, true, 4, ""},
};

}  // namespace

TEST(LevelReaderTest, SectionsEndAtEndAtTheFileEndOrAtAnInterruptingHeader) {
    const LevelReader reading(
        std::string("[Platform]\nx: 1\n[Trap]\nx: 2\nend\n[Mystery]\nq: 1\n"
                    "[Decoration]\n; note\n \nimg: a.png\nend \n"));
    EXPECT_EQ(reading.lineCount(), 12);
    ASSERT_EQ(reading.sections().size(), 2u);
    const LevelReader::Section& platform = reading.sections()[0];
    EXPECT_EQ(platform.line, 1);
    EXPECT_EQ(platform.end, End::Interrupted);
    EXPECT_EQ(platform.endLine, 3);
    EXPECT_EQ(platform.interruptedBy, "Trap");
    ASSERT_EQ(platform.entries.size(), 1u);
    EXPECT_EQ(platform.entries[0].line, 2);

    const LevelReader::Section& decoration = reading.sections()[1];
    EXPECT_EQ(decoration.line, 8);
    EXPECT_EQ(decoration.end, End::EndOfFile);
    EXPECT_EQ(decoration.endLine, 0);
    ASSERT_EQ(decoration.entries.size(), 2u);
    EXPECT_EQ(decoration.entries[0].line, 11);
    EXPECT_EQ(decoration.entries[1].key, "end ");
    EXPECT_EQ(decoration.entries[1].fate, Fate::UnknownKey);

    ASSERT_EQ(reading.ignoredHeaders().size(), 1u);
    EXPECT_EQ(reading.ignoredHeaders()[0].line, 6);
    EXPECT_EQ(reading.ignoredHeaders()[0].name, "Mystery");

    const LevelReader closed(std::string("[BG]\nimg: a.png\nend\n"));
    ASSERT_EQ(closed.sections().size(), 1u);
    EXPECT_EQ(closed.sections()[0].end, End::Closed);
    EXPECT_EQ(closed.sections()[0].endLine, 3);
}

// Every fate against the game: a line it does not carry out changes neither the level nor the
// log; an applied line leaves its mark on the level; an overridden or undone one leaves none.
TEST(LevelReaderTest, FatesAgreeWithWhatTheGameApplies) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    testsupport::writeRgbaPng("sprites/a.png", 8, 4, std::vector<unsigned char>(8 * 4 * 4, 255));
    testsupport::writeRgbaPng("sprites/b.png", 16, 12, std::vector<unsigned char>(16 * 12 * 4, 255));
    // Pictures log differently once loaded; load them all before comparing logs.
    load("[BG]\nimg: a.png\nimg: b.png\nend\n");
    for (const FateCase& c : fateCases) {
        const Probe p = probe(c.text);
        SCOPED_TRACE(p.text);
        const LevelReader reading(p.text);
        const LevelReader::Entry* entry = entryAt(reading, p.line);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->fate, c.fate);
        EXPECT_EQ(entry->carriedOut, c.carriedOut);
        EXPECT_EQ(entry->laterLine, c.laterLine);
        EXPECT_EQ(entry->knownKey, c.knownKey);

        const Loaded with = load(p.text);
        const Loaded without = load(withoutProbe(p));
        if (!entry->carriedOut) {
            EXPECT_EQ(with.log, without.log);
        }
        if (entry->fate == Fate::Applied) {
            EXPECT_NE(with.state, without.state);
        } else {
            EXPECT_EQ(with.state, without.state);
        }
    }
}
