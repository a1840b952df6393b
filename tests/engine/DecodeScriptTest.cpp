#include "app/Application.h"
#include "engine/DecodeScript.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using testing_support::TestFolder;

TEST(DecodeScript, TextNamesTheSourceAndAsksForThirtyFps)
{
    EXPECT_EQ(engine::DecodeScriptText("C:\\Videos\\clip.rm"),
              "DirectShowSource(\"C:\\\\Videos\\\\clip.rm\",fps=30.0,convertfps=true)\n"
              "Subtitle(\" \",size=12,x=-1,y=-1)");
}

TEST(DecodeScript, PathUsesTheProductTagAndEachWriteReplacesTheLast)
{
    TestFolder folder;
    app::ApplicationValues saved = app::Application();
    app::Application().appSharedName = "Script_App";
    app::Application().product.orderPage = "https://shop.example/buy?id=AB123";
    const std::string path = engine::DecodeScriptPath();
    EXPECT_EQ(path, folder.Path() + "runtime/Script_App/temp_0000_AB123.qvz");

    ASSERT_EQ(engine::WriteDecodeScript("/videos/a long name with more text.rm", path), 1);
    ASSERT_EQ(engine::WriteDecodeScript("/v/b.rm", path), 1);
    EXPECT_EQ(folder.Read("runtime/Script_App/temp_0000_AB123.qvz"), engine::DecodeScriptText("/v/b.rm"));

    EXPECT_EQ(engine::WriteDecodeScript("/v/b.rm", folder.Path() + "missing/x.qvz"), 0);
    app::Application() = saved;
}
