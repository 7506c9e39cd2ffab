// tp_FrameSubroom: the frame around a zoomed sub-room (type 0,
// "widget_frame_subroom", module "int_frame_subroom"). The sub-room sends its
// transform every frame of its opening and closing (message 97); the frame's
// module takes the position, scale and alpha, is visible while any of it
// shows and accepts clicks only when fully opaque. A click on its close
// button queues "trg_int_frame_subroom_click" for the room to act on.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

class tp_FrameSubroom : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_frame_subroom";
    static constexpr const char* kClickTrigger = "trg_int_frame_subroom_click";

    tp_FrameSubroom(const std::string& name, const std::string& module_override);

    std::string GetType() const override { return "frame_subroom"; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void ApplyTransform(const tr_MediatorDataTable& data);
};
