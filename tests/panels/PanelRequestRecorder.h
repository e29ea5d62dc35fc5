#pragma once

#include "msg/Messages.h"
#include "msg/MsgCenter.h"

#include <string>
#include <vector>

// Stands in for the main window: notes every panel a panel asks to switch to
// and every redraw it asks for.
class PanelRequestRecorder {
public:
    explicit PanelRequestRecorder(MsgCenter& center) : center_(center)
    {
        center_.Register(this, &PanelRequestRecorder::OnChange);
        center_.Register(this, &PanelRequestRecorder::OnRedraw);
    }
    ~PanelRequestRecorder()
    {
        center_.Unregister(this, &PanelRequestRecorder::OnChange);
        center_.Unregister(this, &PanelRequestRecorder::OnRedraw);
    }
    PanelRequestRecorder(const PanelRequestRecorder&) = delete;
    PanelRequestRecorder& operator=(const PanelRequestRecorder&) = delete;

    std::vector<std::string> panels;
    int redraws = 0;

private:
    void OnChange(const ChangePanel_Msg* msg) { panels.push_back(msg->panel); }
    void OnRedraw(const UpdateGridView_Msg*) { ++redraws; }

    MsgCenter& center_;
};
