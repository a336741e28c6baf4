// Moving preset files: the move that refuses to replace, and the replacing move built from it.

#include "state/NoReplaceMove.h"
#include "state/ReplacingMove.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct Folder : ::testing::Test
{
    Folder() { root.getFile().createDirectory(); }

    juce::File file(const juce::String& name) const { return root.getFile().getChildFile(name); }

    juce::File write(const juce::String& name, const juce::String& content) const
    {
        const auto f = file(name);
        EXPECT_TRUE(f.replaceWithText(content));
        return f;
    }

    // Every entry of the folder as "name=content" (folders as "name/"), sorted.
    juce::StringArray contents() const
    {
        juce::StringArray entries;
        for (const auto& entry :
             juce::RangedDirectoryIterator(root.getFile(), false, "*", juce::File::findFilesAndDirectories))
        {
            const auto f = entry.getFile();
            entries.add(f.isDirectory() ? f.getFileName() + "/"
                                        : f.getFileName() + "=" + f.loadFileAsString());
        }
        entries.sort(false);
        return entries;
    }

    juce::TemporaryFile root{juce::String(), juce::TemporaryFile::useHiddenFile};
};

using Move = bool (*)(const juce::File&, const juce::File&);

struct NamedMove
{
    const char* name;
    Move move;
};

const NamedMove noReplaceMoves[] = {
    {"moveFileWithoutReplacing", moveFileWithoutReplacing},
#if !JUCE_WINDOWS
    {"moveFileByLinking", moveFileByLinking},
#endif
};
} // namespace

TEST_F(Folder, TheNoReplaceMovesMoveAFileToAFreeName)
{
    for (const auto& m : noReplaceMoves)
    {
        SCOPED_TRACE(m.name);
        const auto source = write("A.xml", "a");
        ASSERT_TRUE(m.move(source, file("B.xml")));
        EXPECT_EQ(contents(), juce::StringArray({"B.xml=a"}));
        file("B.xml").deleteFile();
    }
}

TEST_F(Folder, TheNoReplaceMovesRefuseATakenNameAndAMissingSource)
{
    for (const auto& m : noReplaceMoves)
    {
        SCOPED_TRACE(m.name);
        const auto source = write("A.xml", "a");
        write("B.xml", "b");
        ASSERT_TRUE(file("Folder.xml").createDirectory());

        EXPECT_FALSE(m.move(source, file("B.xml")));
        EXPECT_FALSE(m.move(source, file("Folder.xml")));
        EXPECT_FALSE(m.move(file("Missing.xml"), file("C.xml")));
        EXPECT_EQ(contents(), juce::StringArray({"A.xml=a", "B.xml=b", "Folder.xml/"}));

        for (auto name : {"A.xml", "B.xml", "Folder.xml"})
            file(name).deleteRecursively();
    }
}

// The replacing move, with the move it is built from failing at a chosen step.
TEST_F(Folder, TheReplacingMoveLosesNothingWhicheverStepFails)
{
    struct Case
    {
        const char* description;
        int failingStep; // 1: target aside, 2: source onto target, 3: backup back; 0: none
        bool succeeds;
        juce::StringArray after;
    };
    const Case cases[] = {
        {"every step succeeds", 0, true, {"B.xml=a"}},
        {"the target cannot be moved aside", 1, false, {"A.xml=a", "B.xml=b"}},
        {"the source cannot be moved: the target comes back", 2, false, {"A.xml=a", "B.xml=b"}},
        {"nor can the target come back: the backup stays", 3, false, {".backup=b", "A.xml=a"}},
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.description);
        const auto source = write("A.xml", "a"), target = write("B.xml", "b");
        std::vector<std::pair<juce::String, juce::String>> moves;
        const FileMove move = [&](const juce::File& from, const juce::File& to)
        {
            moves.emplace_back(from.getFileName(), to.getFileName());
            const bool fails =
                (int)moves.size() == c.failingStep || (c.failingStep == 3 && moves.size() == 2);
            return !fails && moveFileWithoutReplacing(from, to);
        };

        EXPECT_EQ(moveFileReplacing(source, target, file(".backup"), move), c.succeeds);
        EXPECT_EQ(contents(), c.after);
        ASSERT_FALSE(moves.empty());
        EXPECT_EQ(moves[0], std::make_pair(juce::String("B.xml"), juce::String(".backup")))
            << "the target first";

        for (auto name : {"A.xml", "B.xml", ".backup"})
            file(name).deleteFile();
    }
}

TEST_F(Folder, TheReplacingMoveNeverOverwritesABackupNameThatIsTaken)
{
    const auto source = write("A.xml", "a"), target = write("B.xml", "b");
    write(".backup", "somebody's");

    EXPECT_FALSE(moveFileReplacing(source, target, file(".backup")));
    EXPECT_EQ(contents(), juce::StringArray({".backup=somebody's", "A.xml=a", "B.xml=b"}));
}
