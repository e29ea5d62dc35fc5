#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "scene/MapDocument.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using OnClose = MapDocument::OnClose;

class MapDocumentTest : public ::testing::Test {
protected:
    void Edit() { scene.FillRect(static_cast<std::int32_t>(edits++), 0, 1, 1, CellSoil, CellBalk); }

    Scene scene{MsgCenter::Instance()};
    MapDocument document{scene};
    int edits = 0;
};

TEST_F(MapDocumentTest, OnlyAUsersFileReadWithoutProblemsIsSavedSilently)
{
    const struct {
        MapFileEvent_Msg event;
        bool editAfter;
        OnClose expected;
        const char* title;
    } cases[] = {
        {{MapFileKind::Opened, "a.qlm", false}, false, OnClose::Close, "QuarrinLayvane 2  [a.qlm]"},
        {{MapFileKind::Opened, "a.qlm", false}, true, OnClose::SaveSilently, "QuarrinLayvane 2  [a.qlm] *"},
        {{MapFileKind::Saved, "b.qlm", false}, true, OnClose::SaveSilently, "QuarrinLayvane 2  [b.qlm] *"},
        // A file read only in part may hide more than the map shows.
        {{MapFileKind::Opened, "bad.qlm", true}, true, OnClose::Ask, "QuarrinLayvane 2  [bad.qlm] *"},
        {{MapFileKind::DemoMap, "demo/x.qlm", false}, false, OnClose::Close, "QuarrinLayvane 2  [demo/x.qlm]"},
        {{MapFileKind::DemoMap, "demo/x.qlm", false}, true, OnClose::Ask, "QuarrinLayvane 2  [demo/x.qlm] *"},
        {{MapFileKind::Blank, "", false}, false, OnClose::Close, "QuarrinLayvane 2.1"},
        {{MapFileKind::Blank, "", false}, true, OnClose::Ask, "QuarrinLayvane 2.1 *"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        document.Take(c.event);
        if (c.editAfter)
            Edit();
        EXPECT_EQ(document.WhenClosing(), c.expected);
        EXPECT_EQ(document.Title(), c.title);
        EXPECT_EQ(document.File(), c.event.path);
    }
}

TEST_F(MapDocumentTest, ARecorderSnapshotOrARefusedFileKeepsWhatCountedAsSaved)
{
    document.Take({MapFileKind::Opened, "a.qlm", false});
    Edit();
    // The recorder's jump loads its snapshot: the changes since a.qlm are still unsaved.
    document.Take({MapFileKind::RecorderMap, "temp/0.qlm", false});
    EXPECT_EQ(document.WhenClosing(), OnClose::Ask);
    EXPECT_EQ(document.Title(), "QuarrinLayvane 2  [temp/0.qlm] *");

    // Going back to the map as it was saved leaves nothing to save.
    scene.ClearAll();
    EXPECT_EQ(document.WhenClosing(), OnClose::Close);

    Edit();
    document.Take({MapFileKind::Opened, "notes.txt", true});
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.WhenClosing(), OnClose::Ask);

    // Saving where the user chose makes the map theirs again.
    document.Take({MapFileKind::Saved, "kept.qlm", false});
    EXPECT_FALSE(document.Modified());
    EXPECT_TRUE(document.SavesSilently());
}

}  // namespace
