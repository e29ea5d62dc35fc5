#include "scene/MapDocument.h"

#include "msg/Messages.h"
#include "platform/TextCodec.h"

MapDocument::MapDocument(const Scene& scene) : scene_(scene), saved_(scene) {}

void MapDocument::Take(const MapFileEvent_Msg& event)
{
    const bool refused = event.damaged && event.kind != MapFileKind::Saved;
    switch (event.kind) {
    case MapFileKind::Opened:
    case MapFileKind::Saved:
        origin_ = Origin::UserFile;
        break;
    case MapFileKind::DemoMap:
        origin_ = Origin::DemoMap;
        break;
    case MapFileKind::RecorderMap:
        // A step of the recording: its changes are as unsaved as before.
        origin_ = Origin::RecorderMap;
        file_ = event.path;
        return;
    case MapFileKind::Blank:
        origin_ = Origin::None;
        break;
    }
    file_ = event.path;
    damaged_ = event.damaged;
    // A file read only in part, or refused, may have left the earlier map in
    // place: what counted as saved before still does.
    if (!refused)
        saved_ = SceneSnapshot(scene_);
}

bool MapDocument::Modified() const
{
    return !saved_.Matches(scene_);
}

MapDocument::OnClose MapDocument::WhenClosing() const
{
    if (!Modified())
        return OnClose::Close;
    return SavesSilently() ? OnClose::SaveSilently : OnClose::Ask;
}

std::string MapDocument::Title() const
{
    std::string title = file_.empty() ? "QuarrinLayvane 2.1" : "QuarrinLayvane 2  [" + platform::PathToUtf8(file_) + "]";
    if (Modified())
        title += " *";
    return title;
}
