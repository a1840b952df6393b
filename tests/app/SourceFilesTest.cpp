#include "app/SourceFiles.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

TEST(SourceFiles, FilterHoldsTheExtension)
{
    const std::string filter = "Video Files (*.avi *.mp4 *.MP4)";
    const struct {
        const char* path;
        bool accepted;
    } cases[] = {
        {"/v/x.avi", true},   {"/v/y.AVI", false},  {"/v/z.MP4", true},       {"/v/notes.txt", false},
        {"/v/a.b/clip", false}, {"/v/no extension", false}, {"/v/trailing.", false},
        {"/v/archive.tar.avi", true}, {"/v/clip.4", true},  // a substring of "mp4"
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::AcceptedByFilter(filter, c.path), c.accepted) << c.path;
}

TEST(SourceFiles, FolderListsOnlyItsOwnAcceptedFiles)
{
    testing_support::TestFolder folder;
    for (const char* name : {"in/x.avi", "in/y.AVI", "in/notes.txt", "in/sub/deep.avi", "in/dir.avi/inner.avi"})
        folder.Write(name, "data");
    std::vector<std::string> files = app::FolderSourceFiles(folder.Path() + "in", "Video Files (*.avi)");
    EXPECT_EQ(files, std::vector<std::string>{folder.Path() + "in/x.avi"});
    EXPECT_TRUE(app::FolderSourceFiles(folder.Path() + "missing", "*.avi").empty());
}
