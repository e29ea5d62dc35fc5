#pragma once

#include "msg/Messages.h"
#include "msg/MsgCenter.h"

#include <string>
#include <vector>

// Stands in for the main window: notes every panel a panel asks to switch to.
class PanelRequestRecorder {
public:
    explicit PanelRequestRecorder(MsgCenter& center) : center_(center)
    {
        center_.Register(this, &PanelRequestRecorder::OnChange);
    }
    ~PanelRequestRecorder() { center_.Unregister(this, &PanelRequestRecorder::OnChange); }
    PanelRequestRecorder(const PanelRequestRecorder&) = delete;
    PanelRequestRecorder& operator=(const PanelRequestRecorder&) = delete;

    std::vector<std::string> panels;

private:
    void OnChange(const ChangePanel_Msg* msg) { panels.push_back(msg->panel); }

    MsgCenter& center_;
};
